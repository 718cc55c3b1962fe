// Forwarding list, identifier matching and the event of a forwarded line.
#include "wendle_forward.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "wendle_messages.h"

namespace {

int failAt = 0;

WendlePattern *NewEntries(int capacity) {
    if (failAt > 0 && --failAt == 0) return nullptr;
    return static_cast<WendlePattern *>(calloc(size_t(capacity), sizeof(WendlePattern)));
}

void Say(FILE *out, const char *text) {
    fputs(text, out);
    fflush(out);
}

void RemoveBlanks(char *text) {
    char *to = text;
    for (const char *from = text; *from; ++from)
        if (*from != ' ' && *from != '\t') *to++ = *from;
    *to = '\0';
}

bool IsComment(const char *text) { return *text == '\n' || *text == '#' || *text == '/'; }

// Room for one more entry, grown by a fixed step.
bool MakeRoom(ForwardList &list) {
    if (list.count < list.capacity) return true;
    WendlePattern *grown = NewEntries(list.capacity + WENDLE_FORWARD_GROWTH);
    if (!grown) return false;
    memcpy(grown, list.entries, sizeof(WendlePattern) * size_t(list.count));
    free(list.entries);
    list.entries = grown;
    list.capacity += WENDLE_FORWARD_GROWTH;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EndsIdentifier(char c) { return c == ' ' || c == '\n'; }

} // namespace

void ForwardFailAt(int nth) { failAt = nth; }

void ForwardFree(ForwardList &list) {
    free(list.entries);
    list = ForwardList{nullptr, 0, 0};
}

bool ForwardLoad(ForwardList &list, const char *path, FILE *out) {
    ForwardFree(list);
    ForwardList loaded{NewEntries(WENDLE_FORWARD_GROWTH), 0, WENDLE_FORWARD_GROWTH};
    if (!loaded.entries) {
        Say(out, wdl::WDL015E);
        return false;
    }
    FILE *f = fopen(path, "r");
    if (!f) {
        fprintf(out, wdl::WDL016E, errno);
        fflush(out);
        ForwardFree(loaded);
        return false;
    }
    // A longer line comes in several pieces, each taken as a line of its own.
    char piece[WENDLE_LIST_PIECE + 1];
    while (fgets(piece, sizeof piece, f)) {
        RemoveBlanks(piece);
        if (IsComment(piece)) continue;
        if (!MakeRoom(loaded)) {
            Say(out, wdl::WDL015E);
            fclose(f);
            ForwardFree(loaded);
            return false;
        }
        size_t length = strcspn(piece, "\n");
        if (length > size_t(WENDLE_PATTERN_MAX)) length = WENDLE_PATTERN_MAX;
        if (length == 0) continue;
        memcpy(loaded.entries[loaded.count++], piece, length);
    }
    fclose(f);
    list = loaded;
    return true;
}

int IdentifierLength(const char *line) {
    size_t n = strnlen(line, WENDLE_PATTERN_MAX);
    if (n < size_t(WENDLE_PATTERN_MAX)) return int(n); // a shorter line whole
    // "WDL010E" and its line feed is the identifier WDL010E, as when a blank
    // followed it.
    return EndsIdentifier(line[WENDLE_PATTERN_MAX - 1]) ? WENDLE_PATTERN_MAX - 1
                                                        : WENDLE_PATTERN_MAX;
}

bool PatternMatches(const char *pattern, const char *identifier) {
    for (const char *p = pattern; *p; ++p) {
        if (*p == '*') {
            if (!*identifier) continue;
            for (;; ++identifier) {
                if (PatternMatches(p + 1, identifier)) return true;
                if (!*identifier) return false;
            }
        }
        if (!*identifier || (*p != '?' && *p != *identifier)) return false;
        ++identifier;
    }
    return !*identifier;
}

bool ForwardMatches(const ForwardList &list, const char *line) {
    if (!list.entries) return false;
    char identifier[WENDLE_PATTERN_MAX + 1] = {};
    memcpy(identifier, line, size_t(IdentifierLength(line)));
    for (int i = 0; i < list.count; ++i)
        if (PatternMatches(list.entries[i], identifier)) return true;
    return false;
}

bool ForwardReport(const char *line, const WendleEventSink &sink, FILE *out) {
    if (strnlen(line, WENDLE_PATTERN_MAX) < size_t(WENDLE_PATTERN_MAX)) return true;
    // "WDL010E ..." has its digits from the 4th character, "ABCD123X..."
    // from the 5th.
    const char *digits = IdentifierLength(line) == WENDLE_PATTERN_MAX - 1 ? line + 3 : line + 4;
    if (!IsDigit(digits[0]) || !IsDigit(digits[1]) || !IsDigit(digits[2])) return true;
    unsigned long id = (unsigned long)((digits[0] - '0') * 100 + (digits[1] - '0') * 10 +
                                       (digits[2] - '0'));
    char severity = digits[3];
    unsigned short type = severity == 'E'   ? WENDLE_EVENT_ERROR
                          : severity == 'W' ? WENDLE_EVENT_WARNING
                                            : WENDLE_EVENT_INFORMATION;
    unsigned long error = 0;
    if (sink.report(sink.context, type, WENDLE_EVENT_CATEGORY, id, line, &error)) return true;
    fprintf(out, wdl::WDL022E, int(error));
    fflush(out);
    return false;
}

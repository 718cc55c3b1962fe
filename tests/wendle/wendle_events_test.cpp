// The event message file beside the recorder: the event log shows each
// forwarded line through it.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string ProgramFolderFile(const char *name) {
    char self[MAX_PATH];
    std::string me(self, GetModuleFileNameA(nullptr, self, sizeof self));
    return me.substr(0, me.find_last_of("\\/")) + "\\" + name;
}

// What the event log would show for an event with one insertion string.
bool Shown(HMODULE file, DWORD id, const char *insertion, std::string &text) {
    char buffer[2048];
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(insertion)};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, file, id,
                             MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), buffer, sizeof buffer,
                             reinterpret_cast<va_list *>(args));
    text.assign(buffer, n);
    return n > 0;
}

TEST(WendleEventFile, EveryEventIdentifierShowsTheRecordedLine) {
    HMODULE file = LoadLibraryExA(ProgramFolderFile("wendle.dll").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr) << GetLastError();
    const char *line = "WDL010E OPEN FAILED(errno=2)\n";
    for (DWORD id : {0ul, 10ul, 123ul, 999ul}) {
        std::string text;
        ASSERT_TRUE(Shown(file, id, line, text)) << id;
        EXPECT_EQ(text, line) << id;
    }
    std::string text;
    EXPECT_TRUE(Shown(file, 3800, line, text)); // the category
    EXPECT_EQ(text, "vrk recorder");
    EXPECT_FALSE(Shown(file, 1000, line, text));
    FreeLibrary(file);
}

} // namespace

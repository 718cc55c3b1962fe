// Outside tools find the version record in the built file by its marker.
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "test_support.h"
#include "version_record.h"

namespace {

std::vector<char> ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text of a fixed-width field, which must be NUL-padded to its end.
std::string Field(const char *field, size_t width) {
    size_t n = strnlen(field, width);
    EXPECT_LT(n, width) << "field not terminated";
    for (size_t i = n; i < width; ++i) EXPECT_EQ(field[i], '\0') << "padding at " << i;
    return std::string(field, n);
}

bool LooksLikeDate(const std::string &s) { // "Dec 11 2013"
    return s.size() == 11 && std::isupper((unsigned char)s[0]) && s[3] == ' ' && s[6] == ' ' &&
           std::isdigit((unsigned char)s[7]) && std::isdigit((unsigned char)s[10]);
}

bool LooksLikeTime(const std::string &s) { // "14:46:00"
    return s.size() == 8 && s[2] == ':' && s[5] == ':' && std::isdigit((unsigned char)s[0]) &&
           std::isdigit((unsigned char)s[7]);
}

TEST(VersionRecord, FoundByItsMarkerInTheLibraryFile) {
    std::vector<char> bytes = ReadFile(BesideTestProgram(BRD_LIBRARY_NAME));
    ASSERT_GT(bytes.size(), sizeof(VersionRecord));
    const char marker[16] = "VRKVER";
    std::vector<size_t> hits;
    for (size_t i = 0; i + sizeof(VersionRecord) <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], marker, sizeof marker) == 0) hits.push_back(i);
    ASSERT_EQ(hits.size(), 1u) << "the record must be there exactly once";

    VersionRecord rec;
    std::memcpy(&rec, &bytes[hits[0]], sizeof rec);
    EXPECT_EQ(Field(rec.marker, 16), "VRKVER");
    EXPECT_FALSE(Field(rec.product, 32).empty());
    EXPECT_EQ(Field(rec.version, 16), "V7.2.4.00");
    EXPECT_EQ(Field(rec.version2, 16), "V7.2.4.00");
    EXPECT_FALSE(Field(rec.notice, 48).empty());
    EXPECT_EQ(Field(rec.source, 256), "source/version/vrkver.cpp");
    EXPECT_TRUE(LooksLikeDate(Field(rec.date, 48))) << rec.date;
    EXPECT_TRUE(LooksLikeTime(Field(rec.time, 48))) << rec.time;
}

} // namespace

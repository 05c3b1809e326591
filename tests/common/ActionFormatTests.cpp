// The plugin file format, against bytes written out by hand, and its targets' file masks.
#include "common/Action.h"
#include "common/FileMask.h"
#include "common/MemFile.h"

#include <gtest/gtest.h>

typedef std::vector<unsigned char> ByteVector;

static const char kSignature[] = "[&&^%&A c t i o n##]";

// Builds a file field by field, in the file's own encoding.
struct Bytes {
    ByteVector data;
    Bytes& Raw(const std::string& s) { return data.insert(data.end(), s.begin(), s.end()), *this; }
    Bytes& Word(uint32_t w) { return Raw({char(w), char(w >> 8), char(w >> 16), char(w >> 24)}); }
    Bytes& Str(const std::string& s) { return Word(uint32_t(s.size())).Raw(s); }
    Bytes& Zeros(int nWords) { return Raw(std::string(4 * nWords, '\0')); }
};

// The signature, an id, a title, the enabled flag and the kind.
static Bytes Head(const std::string& strSignature = kSignature)
{
    return Bytes().Str(strSignature).Str("N").Str("T").Raw({'\0'}).Word(0);
}

// Counts the bytes the reader asks for.
struct CCountingFile : CMemFile {
    using CMemFile::CMemFile;
    size_t Read(void* pBuffer, size_t nCount) override
    {
        m_nAsked += nCount;
        return CMemFile::Read(pBuffer, nCount);
    }
    uint64_t m_nAsked = 0;
};

static ByteVector Written(const CAction& action)
{
    CMemFile file;
    EXPECT_TRUE(action.Write(file));
    return file.GetData();
}

// Every list with elements and every field a value of its own, and where each of the
// four optional sections of the newer layouts ends.
static ByteVector HandWritten(size_t anSectionEnd[4])
{
    Bytes bytes;
    bytes.Str(kSignature).Str("MyPlugin").Str("Cleaning my traces").Raw("\1").Word(AK_MRU);
    // file targets: path, type, mask, three flags, date, report flags, exclusions, masks
    bytes.Word(1).Str("[PATH_TEMP]").Word(3).Str("*.tmp|*.bak").Raw({1, 0, 1});
    bytes.Raw({char(0xD3), 7, 7, 0, 2, 0, 16, 0, 13, 0, 45, 0, 30, 0, char(0xF4), 1});
    bytes.Word(0x101).Word(1).Str("keep.tmp").Word(2).Str("*.old").Str("*.new");
    // registry targets: key, value, root, type, value mask
    bytes.Word(1).Str("Software\\Test").Str("Last").Word(0x80000002).Word(2).Str("url*");
    bytes.Word(1).Str("C:\\").Word(1).Str("D:\\");       // free-space, recycle-bin drives
    bytes.Word(2).Str("notepad.exe /p x").Str("second");  // commands
    bytes.Word(1).Str("a.dat").Str("b.dat").Word(7);      // file pairs
    anSectionEnd[0] = bytes.data.size();
    // registry updates: a registry target, text, number, data type
    bytes.Word(1).Str("Software\\Upd").Str("Val").Word(0x80000001).Word(0).Str("");
    bytes.Str("new text").Word(42).Word(1);
    anSectionEnd[1] = bytes.data.size();
    bytes.Word(1).Str("C:\\prefs.js").Word(1).Word(2).Str("history").Str("cache");
    anSectionEnd[2] = bytes.data.size();
    bytes.Word(1).Str("Removes my traces.");  // warning level, description
    anSectionEnd[3] = bytes.data.size();
    return bytes.Str("Browsers").data;  // category
}

// What is read is appended to the lists the action has. A file of an older layout ends
// after an optional section and reads as if the rest were empty; a cut anywhere else fails
// and leaves the action as it was.
TEST(ActionFormat, HandWrittenFileReadsAndWritesBackAndEveryCutFailsButAnOlderLayout)
{
    size_t anSectionEnd[4];
    const ByteVector whole = HandWritten(anSectionEnd);
    CMemFile file(whole);
    CAction read, before;
    read.lstCommands = {"kept"};
    ASSERT_TRUE(read.Read(file));
    EXPECT_EQ(read.lstCommands, (StringList{"kept", "notepad.exe /p x", "second"}));
    read.lstCommands.pop_front();
    // The warned state and a registry target's exclusions are no part of the file.
    read.bWarned = true;
    read.lstKeys.front().lstExcludeKeys = {"k"};
    read.lstKeys.front().lstExcludeValues = {"v"};
    EXPECT_EQ(Written(read), whole);
    struct CFullDisk : CMemFile {
        bool Write(const void*, size_t) override { return false; }
    } full;
    EXPECT_FALSE(read.Write(full));

    before.strId = "Before";
    for (size_t n = 0; n < whole.size(); ++n) {
        SCOPED_TRACE("cut after " + std::to_string(n) + " bytes");
        const Bytes cut = {ByteVector(whole.begin(), whole.begin() + n)};
        const int nMissingWords = n == anSectionEnd[0]   ? 5
                                  : n == anSectionEnd[1] ? 4
                                  : n == anSectionEnd[2] ? 3
                                  : n == anSectionEnd[3] ? 1
                                                         : 0;
        CMemFile cutFile(cut.data);
        CAction action = before;
        ASSERT_EQ(action.Read(cutFile), nMissingWords > 0);
        EXPECT_EQ(Written(action),
                  nMissingWords > 0 ? Bytes(cut).Zeros(nMissingWords).data : Written(before));
    }
}

// A count or length that the rest of the file cannot hold is refused before anything
// is read for it; the zeros behind would make a trusting reader read past the end.
TEST(ActionFormat, HostileCountsLengthsAndSignaturesAreRefused)
{
    const Bytes elevenFields = Head().Zeros(6);
    const std::pair<const char*, Bytes> cases[] = {
        {"signature with a blank more", Head(std::string(kSignature) + " ").Zeros(10)},
        {"signature in other letters", Head("[&&^%&a c t i o n##]").Zeros(10)},
        {"signature cut short", Head(std::string(kSignature, 19)).Zeros(10)},
        {"count of file targets", Head().Word(0x7FFFFFFF).Zeros(16)},
        {"count of a target's exclusions",
         Head().Word(1).Zeros(3).Raw(std::string(23, '\0')).Word(0x10000000).Zeros(16)},
        {"count of file updates", Bytes(elevenFields).Word(0).Word(0x20000000).Zeros(16)},
        {"length of the description", Bytes(elevenFields).Zeros(2).Word(1).Word(0x7FFFFFFF)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        CCountingFile file(c.second.data);
        CAction action;
        EXPECT_FALSE(action.Read(file));
        EXPECT_LE(file.m_nAsked, c.second.data.size());
    }
    // A negative count reads no elements.
    CMemFile file(Head().Word(0xFFFFFFFF).Word(0x80000000).Zeros(8).data);
    CAction action;
    ASSERT_TRUE(action.Read(file));
    EXPECT_TRUE(action.lstFiles.empty() && action.lstKeys.empty());
}

// The rules that the names of the engine's test folders do not reach: a star takes an empty
// run, the rest of the name and is tried again; "?" is one character; only ".*" may be absent.
TEST(FileMask, MatchesTheLongNameByWindowsRules)
{
    static const struct {
        const char *name, *mask;
        bool match;
    } cases[] = {{".tmp", "*.tmp", true},          {"x.tmp.tmpl", "*.tmp", false},
                 {"mississippi", "m*iss*ppi", true}, {"x.tmp", "x.tmp*", true},
                 {"b.tp", "*.t?p", false},         {"x.htz", "*.HTZ", true},
                 {"~lock", "~*.*", true},          {"reports", "report.*", false},
                 {"report", "report.t*", false},   {"x", "", false}, {"x", "xy*", false}};
    for (const auto& row : cases)
        EXPECT_EQ(MatchFileMask(row.name, row.mask), row.match) << row.name << " with " << row.mask;
}

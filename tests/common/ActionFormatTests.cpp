// The plugin file format, checked against bytes written out by hand.
#include "common/Action.h"
#include "common/MemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> ByteVector;

// Builds a file field by field, in the file's own encoding.
class Bytes {
public:
    Bytes& Byte(uint8_t b)
    {
        m_data.push_back(b);
        return *this;
    }
    Bytes& Word(uint32_t w)
    {
        for (int i = 0; i < 4; ++i)
            m_data.push_back(uint8_t(w >> (8 * i)));
        return *this;
    }
    Bytes& Raw(const void* p, size_t n)
    {
        m_data.insert(m_data.end(), static_cast<const uint8_t*>(p),
                      static_cast<const uint8_t*>(p) + n);
        return *this;
    }
    Bytes& Str(const std::string& s)
    {
        Word(uint32_t(s.size()));
        return Raw(s.data(), s.size());
    }
    size_t Size() const { return m_data.size(); }
    const ByteVector& Data() const { return m_data; }

private:
    ByteVector m_data;
};

const char kSignature[] = "[&&^%&A c t i o n##]";

ByteVector Written(const CAction& action)
{
    CMemFile file;
    EXPECT_TRUE(action.Write(file));
    return file.GetData();
}

bool ReadFrom(const ByteVector& data, CAction& action)
{
    CMemFile file(data);
    return action.Read(file);
}

// One element in every list, every field set to a value of its own.
// The positions of the section ends are recorded for the truncation tests.
struct FullPlugin {
    Bytes bytes;
    size_t nEndOfField11 = 0;
    size_t nEndOfField12 = 0;
    size_t nEndOfField13 = 0;
    size_t nEndOfField14 = 0;

    FullPlugin()
    {
        const uint16_t date[8] = {2003, 7, 2, 16, 13, 45, 30, 500};
        bytes.Str(kSignature).Str("MyPlugin").Str("Cleaning my traces").Byte(1).Word(0);
        // file targets: path, type, mask, 3 flags, date, report flags, exclusions, masks
        bytes.Word(1)
            .Str("[PATH_TEMP]")
            .Word(3)
            .Str("*.tmp|*.bak")
            .Byte(1)
            .Byte(0)
            .Byte(1)
            .Raw(date, 16)
            .Word(0x101)
            .Word(1)
            .Str("keep.tmp")
            .Word(1)
            .Str("*.old");
        // registry targets: key path, value name, root, type, value mask
        bytes.Word(1).Str("Software\\Test").Str("Last").Word(0x80000002).Word(2).Str("url*");
        bytes.Word(1).Str("C:\\");                // free-space drives
        bytes.Word(1).Str("D:\\");                // recycle-bin drives
        bytes.Word(1).Str("notepad.exe /p x");    // commands
        bytes.Word(1).Str("a.dat").Str("b.dat").Word(7);  // file pairs
        nEndOfField11 = bytes.Size();
        // registry updates: a registry target record, text, number, data type
        bytes.Word(1)
            .Str("Software\\Upd")
            .Str("Val")
            .Word(0x80000001)
            .Word(0)
            .Str("")
            .Str("new text")
            .Word(42)
            .Word(1);
        nEndOfField12 = bytes.Size();
        bytes.Word(1).Str("C:\\prefs.js").Word(1).Word(2).Str("history").Str("cache");
        nEndOfField13 = bytes.Size();
        bytes.Word(1);
        nEndOfField14 = bytes.Size();
        bytes.Str("Removes my traces.");
    }

    static CAction Expected()
    {
        CAction a;
        a.strId = "MyPlugin";
        a.strTitle = "Cleaning my traces";
        a.bEnabled = true;
        FileTarget f;
        f.strName = "[PATH_TEMP]";
        f.dwType = TT_RECURSIVE;
        f.strMask = "*.tmp|*.bak";
        f.bUseMaskList = true;
        f.bUseDate = true;
        f.stDate.wYear = 2003;
        f.stDate.wMonth = 7;
        f.stDate.wDayOfWeek = 2;
        f.stDate.wDay = 16;
        f.stDate.wHour = 13;
        f.stDate.wMinute = 45;
        f.stDate.wSecond = 30;
        f.stDate.wMilliseconds = 500;
        f.dwReportFlags = 0x101;
        f.lstExclude = {"keep.tmp"};
        f.vecMasks = {"*.old"};
        a.lstFiles.push_back(f);
        RegTarget r;
        r.strName = "Software\\Test";
        r.strValue = "Last";
        r.dwKey = RK_LOCAL_MACHINE;
        r.dwType = TT_CONTENT;
        r.strValueMask = "url*";
        a.lstKeys.push_back(r);
        a.lstFreeSpaceDrives = {"C:\\"};
        a.lstRecycleBinDrives = {"D:\\"};
        a.lstCommands = {"notepad.exe /p x"};
        a.lstFilePairs.push_back(FilePairItem{"a.dat", "b.dat", 7});
        RegUpdate u;
        u.target.strName = "Software\\Upd";
        u.target.strValue = "Val";
        u.strData = "new text";
        u.dwData = 42;
        u.dwDataType = RegUpdate::DT_NUMBER;
        a.lstKeyUpdates.push_back(u);
        FileUpdate fu;
        fu.strPath = "C:\\prefs.js";
        fu.dwMethod = FileUpdate::FU_CLEAR_KEYWORDS;
        fu.vecKeywords = {"history", "cache"};
        a.lstFileUpdates.push_back(fu);
        a.dwWarningLevel = WL_WARNING;
        a.strDescription = "Removes my traces.";
        return a;
    }
};

ByteVector Prefix(const ByteVector& data, size_t nLength)
{
    return ByteVector(data.begin(), data.begin() + nLength);
}

}  // namespace

TEST(ActionFormat, EmptyActionIsThe77ByteFile)
{
    const unsigned char expected[77] = {
        0x14, 0, 0, 0, '[', '&', '&', '^', '%', '&', 'A', ' ', 'c', ' ', 't', ' ', 'i', ' ',
        'o',  ' ', 'n', '#', '#', ']',
        0, 0, 0, 0,  // name
        0, 0, 0, 0,  // trace comment
        0,           // enabled
        0, 0, 0, 0,  // kind
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // counts: file and registry targets,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // three string lists, file pairs, updates
        0, 0, 0, 0,  // warning level
        0, 0, 0, 0};  // description
    EXPECT_EQ(Written(CAction()), ByteVector(expected, expected + sizeof(expected)));

    CAction read;
    EXPECT_TRUE(ReadFrom(ByteVector(expected, expected + sizeof(expected)), read));
    EXPECT_EQ(read, CAction());
}

TEST(ActionFormat, HandWrittenPluginReadsFieldByFieldAndWritesBackTheSameBytes)
{
    FullPlugin plugin;
    CAction read;
    ASSERT_TRUE(ReadFrom(plugin.bytes.Data(), read));

    const CAction expected = FullPlugin::Expected();
    EXPECT_EQ(read.strId, expected.strId);
    EXPECT_EQ(read.strTitle, expected.strTitle);
    EXPECT_EQ(read.bEnabled, expected.bEnabled);
    EXPECT_EQ(read.dwKind, expected.dwKind);
    EXPECT_EQ(read.lstFiles, expected.lstFiles);
    EXPECT_EQ(read.lstKeys, expected.lstKeys);
    EXPECT_EQ(read.lstFreeSpaceDrives, expected.lstFreeSpaceDrives);
    EXPECT_EQ(read.lstRecycleBinDrives, expected.lstRecycleBinDrives);
    EXPECT_EQ(read.lstCommands, expected.lstCommands);
    EXPECT_EQ(read.lstFilePairs, expected.lstFilePairs);
    EXPECT_EQ(read.lstKeyUpdates, expected.lstKeyUpdates);
    EXPECT_EQ(read.lstFileUpdates, expected.lstFileUpdates);
    EXPECT_EQ(read.dwWarningLevel, expected.dwWarningLevel);
    EXPECT_EQ(read.strDescription, expected.strDescription);
    EXPECT_EQ(read, expected);

    EXPECT_EQ(Written(expected), plugin.bytes.Data());
}

TEST(ActionFormat, WriteThenReadKeepsEveryFieldAndListOrder)
{
    CAction original = FullPlugin::Expected();
    original.dwKind = AK_NNHISTORY;
    FileTarget second;
    second.strName = "C:\\second";
    second.lstExclude = {"z", "a", "m"};
    second.vecMasks = {"*.b", "*.a"};
    original.lstFiles.push_back(second);
    original.lstFiles.push_front(FileTarget());
    RegTarget key;
    key.strName = "Software\\Other";
    original.lstKeys.push_front(key);
    original.lstCommands = {"third", "first", "second"};
    original.lstFreeSpaceDrives = {"E:\\", "C:\\"};
    original.lstFilePairs.push_back(FilePairItem{"x", "y", 1});
    original.lstKeyUpdates.push_front(RegUpdate());
    original.lstFileUpdates.push_back(FileUpdate());

    CAction copy;
    ASSERT_TRUE(ReadFrom(Written(original), copy));
    EXPECT_EQ(copy, original);
}

TEST(ActionFormat, NotCarriedByTheFile)
{
    CAction original;
    original.bWarned = true;
    RegTarget key;
    key.lstExcludeKeys = {"k"};
    key.lstExcludeValues = {"v"};
    original.lstKeys.push_back(key);

    CAction copy;
    ASSERT_TRUE(ReadFrom(Written(original), copy));
    EXPECT_FALSE(copy.bWarned);
    EXPECT_TRUE(copy.lstKeys.front().lstExcludeKeys.empty());
    EXPECT_TRUE(copy.lstKeys.front().lstExcludeValues.empty());
}

TEST(ActionFormat, OlderLayoutsReadWithDefaults)
{
    FullPlugin plugin;
    const CAction full = FullPlugin::Expected();

    CAction upToField11;
    ASSERT_TRUE(ReadFrom(Prefix(plugin.bytes.Data(), plugin.nEndOfField11), upToField11));
    EXPECT_EQ(upToField11.lstFilePairs, full.lstFilePairs);
    EXPECT_TRUE(upToField11.lstKeyUpdates.empty());
    EXPECT_TRUE(upToField11.lstFileUpdates.empty());
    EXPECT_EQ(upToField11.dwWarningLevel, uint32_t(WL_INFORMATION));
    EXPECT_EQ(upToField11.strDescription, "");

    CAction upToField12;
    ASSERT_TRUE(ReadFrom(Prefix(plugin.bytes.Data(), plugin.nEndOfField12), upToField12));
    EXPECT_EQ(upToField12.lstKeyUpdates, full.lstKeyUpdates);
    EXPECT_TRUE(upToField12.lstFileUpdates.empty());
    EXPECT_EQ(upToField12.dwWarningLevel, uint32_t(WL_INFORMATION));
    EXPECT_EQ(upToField12.strDescription, "");

    CAction upToField13;
    ASSERT_TRUE(ReadFrom(Prefix(plugin.bytes.Data(), plugin.nEndOfField13), upToField13));
    EXPECT_EQ(upToField13.lstFileUpdates, full.lstFileUpdates);
    EXPECT_EQ(upToField13.dwWarningLevel, uint32_t(WL_INFORMATION));
}

TEST(ActionFormat, EveryOtherTruncationFailsAndLeavesTheActionAsItWas)
{
    FullPlugin plugin;
    const ByteVector& data = plugin.bytes.Data();
    CAction before;
    before.strId = "Before";
    before.lstCommands = {"kept"};

    for (size_t n = 0; n < data.size(); ++n) {
        const bool bSectionEnd =
            n == plugin.nEndOfField11 || n == plugin.nEndOfField12 || n == plugin.nEndOfField13;
        CAction action = before;
        EXPECT_EQ(ReadFrom(Prefix(data, n), action), bSectionEnd) << "cut after " << n << " bytes";
        if (!bSectionEnd) {
            EXPECT_EQ(action, before) << "cut after " << n << " bytes";
        }
    }
}

TEST(ActionFormat, SignatureMustMatchExactly)
{
    const std::string variants[] = {
        std::string(kSignature) + " ",
        "[&&^%&a c t i o n##]",
        "[&&^%&A C T I O N##]",
        std::string(kSignature).substr(0, 19),
        "",
    };
    for (const std::string& signature : variants) {
        Bytes bytes;
        bytes.Str(signature);
        const ByteVector rest = Written(CAction());
        bytes.Raw(rest.data() + 24, rest.size() - 24);
        CAction action;
        EXPECT_FALSE(ReadFrom(bytes.Data(), action)) << '"' << signature << '"';
    }
}

TEST(ActionFormat, StringWithZeroByteComesBackCut)
{
    Bytes bytes;
    bytes.Str(kSignature).Str(std::string("Name\0Hidden", 11)).Str(std::string("\0x", 2));
    const ByteVector rest = Written(CAction());
    bytes.Raw(rest.data() + 32, rest.size() - 32);

    CAction action;
    ASSERT_TRUE(ReadFrom(bytes.Data(), action));
    EXPECT_EQ(action.strId, "Name");
    EXPECT_EQ(action.strTitle, "");
    EXPECT_EQ(action.bEnabled, false);
}

TEST(ActionFormat, WriterStopsTextAtItsFirstZeroByte)
{
    CAction action;
    action.strTitle = std::string("ab\0cd", 5);
    const ByteVector data = Written(action);
    EXPECT_EQ(data.size(), 79u);
    const unsigned char title[] = {2, 0, 0, 0, 'a', 'b'};
    EXPECT_EQ(std::memcmp(data.data() + 28, title, sizeof(title)), 0);
}

TEST(ActionFormat, NegativeCountsReadNoElements)
{
    Bytes bytes;
    bytes.Str(kSignature).Str("N").Str("T").Byte(0).Word(0);
    bytes.Word(0xFFFFFFFF).Word(0x80000000).Word(0).Word(0).Word(0).Word(0);
    CAction action;
    ASSERT_TRUE(ReadFrom(bytes.Data(), action));
    EXPECT_TRUE(action.lstFiles.empty());
    EXPECT_TRUE(action.lstKeys.empty());
}

// Each of these would make a trusting reader allocate gigabytes or loop for
// billions of elements.
TEST(ActionFormat, CountsAndLengthsBeyondTheFileFail)
{
    auto header = [] {
        Bytes b;
        b.Str(kSignature).Str("N").Str("T").Byte(0).Word(0);
        return b;
    };
    std::vector<Bytes> hostile;
    hostile.push_back(Bytes().Word(0x7FFFFFF0));  // signature length
    hostile.push_back(header().Word(0x7FFFFFFF));  // file targets
    hostile.push_back(header().Word(0).Word(100000000));  // registry targets
    hostile.push_back(header().Word(0).Word(0).Word(0x40000000));  // drives
    const std::string padding(64, '\0');
    hostile.push_back(header().Word(1).Word(0xFFFFFFF0).Raw(padding.data(), 64));  // a path
    hostile.push_back(header().Word(1).Str("p").Word(0).Str("*").Byte(0).Byte(0).Byte(0)
                          .Raw(padding.data(), 16).Word(273)
                          .Word(0x10000000).Raw(padding.data(), 64));  // a target's exclusions
    Bytes elevenFields = header();
    for (int i = 0; i < 6; ++i)
        elevenFields.Word(0);
    hostile.push_back(Bytes(elevenFields).Word(0x7FFFFFFF));  // registry updates
    hostile.push_back(Bytes(elevenFields).Word(0).Word(0x7FFFFFFF));  // file updates
    hostile.push_back(Bytes(elevenFields).Word(0).Word(0).Word(1).Word(0x7FFFFFFF));  // description

    for (size_t i = 0; i < hostile.size(); ++i) {
        CAction action;
        EXPECT_FALSE(ReadFrom(hostile[i].Data(), action)) << "case " << i;
    }
}

TEST(ActionFormat, ReadAppendsToTheListsItFinds)
{
    CAction action;
    action.lstCommands = {"existing"};
    FullPlugin plugin;
    ASSERT_TRUE(ReadFrom(plugin.bytes.Data(), action));
    EXPECT_EQ(action.lstCommands, (StringList{"existing", "notepad.exe /p x"}));
}

TEST(ActionFormat, FailedWriteIsReported)
{
    class CFullDisk : public CFile {
    public:
        size_t Read(void*, size_t) override { return 0; }
        bool Write(const void*, size_t) override { return false; }
        uint64_t GetPosition() const override { return 0; }
        uint64_t GetLength() const override { return 0; }
    } disk;
    EXPECT_FALSE(CAction().Write(disk));
}

TEST(ActionFormat, ReadsFromTheCurrentPosition)
{
    CMemFile file;
    CAction first;
    first.strId = "First";
    CAction second;
    second.strId = "Second";
    ASSERT_TRUE(first.Write(file));
    ASSERT_TRUE(second.Write(file));

    // Two actions in a row: the first one read stops before the second.
    file.SeekToBegin();
    CAction a;
    CAction b;
    ASSERT_TRUE(a.Read(file));
    ASSERT_TRUE(b.Read(file));
    EXPECT_EQ(a.strId, "First");
    EXPECT_EQ(b.strId, "Second");
}

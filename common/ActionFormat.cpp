// The plugin file format: one action as a flat sequence of little-endian
// fields behind a signature string, with four optional tail sections that
// older files lack. Readers of an older layout stop before the sections they
// do not know.
//
// A plugin file is untrusted input. The reader refuses a file that ends inside
// a field, and a count or length that the rest of the file cannot hold, before
// allocating anything for it; so a hostile file of a few bytes costs a few
// bytes of work.
#include "common/Action.h"
#include "common/File.h"

#include <cstring>

namespace {

const char kSignature[] = "[&&^%&A c t i o n##]";

// The fewest bytes that one element of each list takes on disk.
const uint64_t kMinString = 4;
const uint64_t kMinFileTarget = 4 + 4 + 4 + 3 + 16 + 4 + 4 + 4;
const uint64_t kMinRegTarget = 4 + 4 + 4 + 4 + 4;
const uint64_t kMinRegUpdate = kMinRegTarget + 4 + 4 + 4;
const uint64_t kMinFileUpdate = 4 + 4 + 4;
const uint64_t kMinFilePair = 4 + 4 + 4;

class CActionReader {
public:
    explicit CActionReader(CFile& file) : m_file(file) {}

    bool AtEnd() const { return m_file.GetPosition() >= m_file.GetLength(); }

    bool Bytes(void* pBuffer, size_t nCount) { return m_file.Read(pBuffer, nCount) == nCount; }

    bool Byte(bool& bValue)
    {
        unsigned char byte;
        if (!Bytes(&byte, 1))
            return false;
        bValue = byte != 0;
        return true;
    }

    bool Word(uint32_t& dwValue)
    {
        unsigned char bytes[4];
        if (!Bytes(bytes, 4))
            return false;
        dwValue = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                  uint32_t(bytes[3]) << 24;
        return true;
    }

    bool Block(SysTime& st)
    {
        unsigned char bytes[16];
        if (!Bytes(bytes, sizeof(bytes)))
            return false;
        uint16_t* fields[] = {&st.wYear,   &st.wMonth,  &st.wDayOfWeek, &st.wDay,
                              &st.wHour,   &st.wMinute, &st.wSecond,    &st.wMilliseconds};
        for (int i = 0; i < 8; ++i)
            *fields[i] = uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
        return true;
    }

    // A length word and that many bytes; the text ends at its first zero byte.
    bool String(std::string& str)
    {
        uint32_t nLength;
        if (!Word(nLength) || nLength > m_file.GetRemaining())
            return false;
        std::string text(nLength, '\0');
        if (nLength != 0 && !Bytes(&text[0], nLength))
            return false;
        text.resize(std::strlen(text.c_str()));
        str = std::move(text);
        return true;
    }

    // A count word, then that many elements, each read into a freshly
    // constructed element and appended. A count of zero or below reads none.
    template <class Container, class ReadElement>
    bool List(Container& container, uint64_t nMinElementSize, ReadElement readElement)
    {
        uint32_t dwCount;
        if (!Word(dwCount))
            return false;
        const int32_t nCount = static_cast<int32_t>(dwCount);
        if (nCount <= 0)
            return true;
        if (uint64_t(nCount) * nMinElementSize > m_file.GetRemaining())
            return false;
        for (int32_t i = 0; i < nCount; ++i) {
            typename Container::value_type element;
            if (!readElement(element))
                return false;
            container.push_back(std::move(element));
        }
        return true;
    }

    template <class Container> bool Strings(Container& container)
    {
        return List(container, kMinString, [this](std::string& s) { return String(s); });
    }

    bool FileTargetRecord(FileTarget& t)
    {
        return String(t.strName) && Word(t.dwType) && String(t.strMask) &&
               Byte(t.bUseMaskList) && Byte(t.bWipe) && Byte(t.bUseDate) && Block(t.stDate) &&
               Word(t.dwReportFlags) && Strings(t.lstExclude) && Strings(t.vecMasks);
    }

    bool RegTargetRecord(RegTarget& t)
    {
        return String(t.strName) && String(t.strValue) && Word(t.dwKey) && Word(t.dwType) &&
               String(t.strValueMask);
    }

    bool RegUpdateRecord(RegUpdate& u)
    {
        return RegTargetRecord(u.target) && String(u.strData) && Word(u.dwData) &&
               Word(u.dwDataType);
    }

    bool FileUpdateRecord(FileUpdate& u)
    {
        return String(u.strPath) && Word(u.dwMethod) && Strings(u.vecKeywords);
    }

    bool FilePairRecord(FilePairItem& p)
    {
        return String(p.strFirst) && String(p.strSecond) && Word(p.dwCode);
    }

private:
    CFile& m_file;
};

bool ReadActionFields(CActionReader& in, CAction& a)
{
    std::string signature;
    if (!in.String(signature) || signature != kSignature)
        return false;

    if (!(in.String(a.strId) && in.String(a.strTitle) && in.Byte(a.bEnabled) &&
          in.Word(a.dwKind) &&
          in.List(a.lstFiles, kMinFileTarget,
                  [&in](FileTarget& t) { return in.FileTargetRecord(t); }) &&
          in.List(a.lstKeys, kMinRegTarget,
                  [&in](RegTarget& t) { return in.RegTargetRecord(t); }) &&
          in.Strings(a.lstFreeSpaceDrives) && in.Strings(a.lstRecycleBinDrives) &&
          in.Strings(a.lstCommands) &&
          in.List(a.lstFilePairs, kMinFilePair,
                  [&in](FilePairItem& p) { return in.FilePairRecord(p); })))
        return false;

    // Optional sections: files of earlier layouts end before any of them.
    if (in.AtEnd())
        return true;
    if (!in.List(a.lstKeyUpdates, kMinRegUpdate,
                 [&in](RegUpdate& u) { return in.RegUpdateRecord(u); }))
        return false;
    if (in.AtEnd())
        return true;
    if (!in.List(a.lstFileUpdates, kMinFileUpdate,
                 [&in](FileUpdate& u) { return in.FileUpdateRecord(u); }))
        return false;
    if (in.AtEnd())
        return true;
    if (!(in.Word(a.dwWarningLevel) && in.String(a.strDescription)))
        return false;
    return in.AtEnd() || in.String(a.strCategory);
}

// Serialises into memory so that the file receives one write.
class CActionWriter {
public:
    const std::vector<unsigned char>& Data() const { return m_data; }

    void Byte(bool bValue) { m_data.push_back(bValue ? 1 : 0); }

    void Word(uint32_t dwValue)
    {
        for (int shift = 0; shift < 32; shift += 8)
            m_data.push_back(static_cast<unsigned char>(dwValue >> shift));
    }

    void Block(const SysTime& st)
    {
        const uint16_t fields[] = {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
                                   st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
        for (uint16_t field : fields) {
            m_data.push_back(static_cast<unsigned char>(field));
            m_data.push_back(static_cast<unsigned char>(field >> 8));
        }
    }

    // The text up to its first zero byte, behind its length.
    void String(const std::string& str)
    {
        const size_t nLength = std::strlen(str.c_str());
        Word(static_cast<uint32_t>(nLength));
        m_data.insert(m_data.end(), str.begin(), str.begin() + nLength);
    }

    template <class Container, class WriteElement>
    void List(const Container& container, WriteElement writeElement)
    {
        Word(static_cast<uint32_t>(container.size()));
        for (const auto& element : container)
            writeElement(element);
    }

    template <class Container> void Strings(const Container& container)
    {
        List(container, [this](const std::string& s) { String(s); });
    }

    void FileTargetRecord(const FileTarget& t)
    {
        String(t.strName);
        Word(t.dwType);
        String(t.strMask);
        Byte(t.bUseMaskList);
        Byte(t.bWipe);
        Byte(t.bUseDate);
        Block(t.stDate);
        Word(t.dwReportFlags);
        Strings(t.lstExclude);
        Strings(t.vecMasks);
    }

    void RegTargetRecord(const RegTarget& t)
    {
        String(t.strName);
        String(t.strValue);
        Word(t.dwKey);
        Word(t.dwType);
        String(t.strValueMask);
    }

private:
    std::vector<unsigned char> m_data;
};

}  // namespace

bool CAction::Read(CFile& file)
{
    CAction staged(*this);
    CActionReader in(file);
    if (!ReadActionFields(in, staged))
        return false;
    CAction::operator=(std::move(staged));
    return true;
}

bool CAction::Write(CFile& file) const
{
    CActionWriter out;
    out.String(kSignature);
    out.String(strId);
    out.String(strTitle);
    out.Byte(bEnabled);
    out.Word(dwKind);
    out.List(lstFiles, [&out](const FileTarget& t) { out.FileTargetRecord(t); });
    out.List(lstKeys, [&out](const RegTarget& t) { out.RegTargetRecord(t); });
    out.Strings(lstFreeSpaceDrives);
    out.Strings(lstRecycleBinDrives);
    out.Strings(lstCommands);
    out.List(lstFilePairs, [&out](const FilePairItem& p) {
        out.String(p.strFirst);
        out.String(p.strSecond);
        out.Word(p.dwCode);
    });
    out.List(lstKeyUpdates, [&out](const RegUpdate& u) {
        out.RegTargetRecord(u.target);
        out.String(u.strData);
        out.Word(u.dwData);
        out.Word(u.dwDataType);
    });
    out.List(lstFileUpdates, [&out](const FileUpdate& u) {
        out.String(u.strPath);
        out.Word(u.dwMethod);
        out.Strings(u.vecKeywords);
    });
    out.Word(dwWarningLevel);
    out.String(strDescription);
    out.String(strCategory);

    const std::vector<unsigned char>& data = out.Data();
    return file.Write(data.data(), data.size());
}

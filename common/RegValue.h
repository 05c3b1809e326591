// One registry value each: creation reads it (the default on any failure),
// destruction writes it back unless told not to. The status records the
// result of the last read or write; no failure is reported otherwise.
#pragma once

#include "common/RootKey.h"

#include <windows.h>

#include <cstdint>
#include <string>

enum RegStatus : uint32_t {
    RS_OK = 0,
    RS_OPEN_FAILED = 1,   // opening or creating the key failed
    RS_CLOSE_FAILED = 2,  // closing the key failed
    RS_READ_FAILED = 3,   // the value is missing, of another type or size
    RS_WRITE_FAILED = 4,
};

// A predefined root key from its 32-bit handle value (0x80000001 is
// HKEY_CURRENT_USER). The value is sign-extended as the platform's own
// constants are, so that it also names the key in a 64-bit build.
inline HKEY RootKeyHandle(uint32_t dwRoot)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(dwRoot)));
}

// Reads a string value (REG_SZ, or REG_EXPAND_SZ left unexpanded) up to its
// first zero byte; a text stored without its zero still ends inside the
// buffer. ERROR_INVALID_DATA for a value of another type.
LONG QueryStringValue(HKEY hKey, const char* pszName, std::string& strText);

// A string value as stored, REG_EXPAND_SZ left unexpanded; empty when the
// key or value is missing or holds no text. An empty name reads the key's
// default value.
std::string ReadRegText(HKEY hRoot, const std::string& strKey, const char* pszName);

// A 32-bit number as the settings read it; the default when the key or the
// value is missing or the value is of another type or size.
uint32_t ReadRegNumber(uint32_t dwRoot, const std::string& strKey, const char* pszName,
                       uint32_t dwDefault);

class CRegValue {
public:
    virtual ~CRegValue() = default;
    CRegValue(const CRegValue&) = delete;
    CRegValue& operator=(const CRegValue&) = delete;

    // Reads the value now; on failure the value in memory stays as it was.
    bool Read();
    // Writes the value now, creating missing keys on the way.
    bool Write();
    // Removes the value from the registry and turns off the write-back.
    // Reports success whatever happened.
    bool DeleteValue();

    void SetNoWriteBack(bool bNoWriteBack) { m_bNoWriteBack = bNoWriteBack; }
    uint32_t GetStatus() const { return m_dwStatus; }
    const std::string& GetKeyPath() const { return m_strKeyPath; }
    const std::string& GetValueName() const { return m_strValueName; }

protected:
    CRegValue(uint32_t dwRoot, const char* pszKeyPath, const char* pszValueName)
        : m_strKeyPath(pszKeyPath), m_strValueName(pszValueName), m_dwRoot(dwRoot)
    {
    }

    // Each concrete class calls this from its own destructor, while its
    // value can still be reached.
    void WriteBack()
    {
        if (!m_bNoWriteBack)
            Write();
    }

    virtual LONG QueryValue(HKEY hKey) = 0;
    virtual LONG SetValue(HKEY hKey) const = 0;

private:
    bool CloseKey(HKEY hKey, uint32_t dwStatus);

    std::string m_strKeyPath;
    std::string m_strValueName;
    uint32_t m_dwStatus = RS_OK;
    uint32_t m_dwRoot;
    bool m_bNoWriteBack = false;
};

// The value in memory: read and assigned freely; assignment does not write.
template <class T> class CRegValueOf : public CRegValue {
public:
    const T& Get() const { return m_value; }
    operator const T&() const { return m_value; }
    CRegValueOf& operator=(const T& value)
    {
        m_value = value;
        return *this;
    }
    // Stores the value at once, for readers elsewhere that must see it now;
    // it is not written again when the object goes.
    bool WriteNow(const T& value)
    {
        m_value = value;
        const bool bWritten = Write();
        SetNoWriteBack(true);
        return bWritten;
    }

protected:
    CRegValueOf(uint32_t dwRoot, const char* pszKeyPath, const char* pszValueName)
        : CRegValue(dwRoot, pszKeyPath, pszValueName)
    {
    }

    // The read of creation: anything short of a clean read gives the default.
    void ReadWithDefault(const T& defaultValue)
    {
        Read();
        if (GetStatus() != RS_OK)
            m_value = defaultValue;
    }

    T m_value{};
};

// A flag stored as a 32-bit number 0 or 1; any nonzero number reads as true.
class CRegBool final : public CRegValueOf<bool> {
public:
    CRegBool(uint32_t dwRoot, const char* pszKeyPath, const char* pszValueName, bool bDefault)
        : CRegValueOf(dwRoot, pszKeyPath, pszValueName)
    {
        ReadWithDefault(bDefault);
    }
    ~CRegBool() override { WriteBack(); }
    using CRegValueOf::operator=;

private:
    LONG QueryValue(HKEY hKey) override;
    LONG SetValue(HKEY hKey) const override;
};

class CRegDword final : public CRegValueOf<uint32_t> {
public:
    CRegDword(uint32_t dwRoot, const char* pszKeyPath, const char* pszValueName,
              uint32_t dwDefault)
        : CRegValueOf(dwRoot, pszKeyPath, pszValueName)
    {
        ReadWithDefault(dwDefault);
    }
    ~CRegDword() override { WriteBack(); }
    using CRegValueOf::operator=;

private:
    LONG QueryValue(HKEY hKey) override;
    LONG SetValue(HKEY hKey) const override;
};

// A text stored as a string value with its terminating zero.
class CRegString final : public CRegValueOf<std::string> {
public:
    CRegString(uint32_t dwRoot, const char* pszKeyPath, const char* pszValueName,
               const char* pszDefault)
        : CRegValueOf(dwRoot, pszKeyPath, pszValueName)
    {
        ReadWithDefault(pszDefault);
    }
    ~CRegString() override { WriteBack(); }
    using CRegValueOf::operator=;
    const char* c_str() const { return m_value.c_str(); }

private:
    LONG QueryValue(HKEY hKey) override;
    LONG SetValue(HKEY hKey) const override;
};

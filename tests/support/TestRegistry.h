// Registry access for tests, written straight against the API so that it
// does not share a fault with the classes under test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// Removes "Software\ZR\VeltrinPRO" of the current user with everything below.
void DeleteProductKey();

bool KeyExists(const std::string& strKey);
bool ValueExists(const std::string& strKey, const std::string& strName);
// The raw value: its type and bytes. False when it is missing.
bool ReadRawValue(const std::string& strKey, const std::string& strName, DWORD& dwType,
                  std::string& bytes);
// A REG_SZ value up to its first zero byte; "<missing>" when it is missing
// or of another type.
std::string ReadTextValue(const std::string& strKey, const std::string& strName);
// A REG_DWORD value; false when missing or of another type.
bool ReadDwordValue(const std::string& strKey, const std::string& strName, DWORD& dwValue);
void WriteRawValue(const std::string& strKey, const std::string& strName, DWORD dwType,
                   const void* pData, DWORD cbData);
void WriteDwordValue(const std::string& strKey, const std::string& strName, DWORD dwValue);
// A REG_SZ value with its terminating zero.
void WriteStringValue(const std::string& strKey, const std::string& strName,
                      const std::string& strText);

// A test that starts and ends without the product's registry key.
class CProductKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteProductKey(); }
    void TearDown() override { DeleteProductKey(); }
};

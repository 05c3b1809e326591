// A file held in memory: a byte vector with a position.
#pragma once

#include "common/File.h"

#include <vector>

class CMemFile : public CFile {
public:
    CMemFile() = default;
    explicit CMemFile(std::vector<unsigned char> data) : m_data(std::move(data)) {}
    CMemFile(const void* pData, size_t nSize);

    size_t Read(void* pBuffer, size_t nCount) override;
    bool Write(const void* pBuffer, size_t nCount) override;
    uint64_t GetPosition() const override { return m_nPosition; }
    uint64_t GetLength() const override { return m_data.size(); }

    void SeekToBegin() { m_nPosition = 0; }
    const std::vector<unsigned char>& GetData() const { return m_data; }

private:
    std::vector<unsigned char> m_data;
    size_t m_nPosition = 0;
};

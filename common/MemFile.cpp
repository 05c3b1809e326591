#include "common/MemFile.h"

#include <algorithm>
#include <cstring>

CMemFile::CMemFile(const void* pData, size_t nSize)
    : m_data(static_cast<const unsigned char*>(pData),
             static_cast<const unsigned char*>(pData) + nSize)
{
}

size_t CMemFile::Read(void* pBuffer, size_t nCount)
{
    const size_t nAvailable = m_nPosition < m_data.size() ? m_data.size() - m_nPosition : 0;
    const size_t nRead = std::min(nCount, nAvailable);
    if (nRead != 0) {
        std::memcpy(pBuffer, m_data.data() + m_nPosition, nRead);
        m_nPosition += nRead;
    }
    return nRead;
}

bool CMemFile::Write(const void* pBuffer, size_t nCount)
{
    const size_t nEnd = m_nPosition + nCount;
    if (nEnd > m_data.size())
        m_data.resize(nEnd);
    if (nCount != 0)
        std::memcpy(m_data.data() + m_nPosition, pBuffer, nCount);
    m_nPosition = nEnd;
    return true;
}

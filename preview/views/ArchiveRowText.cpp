#include "ArchiveRowText.h"

#include "DosTime.h"

CString ArchiveAttributeText(uint32_t attributes)
{
    CString text;
    text += (attributes & 0x1) ? L'r' : L'-';
    text += (attributes & 0x20) ? L'a' : L'-';
    text += (attributes & 0x2) ? L'h' : L'-';
    text += (attributes & 0x4) ? L's' : L'-';
    return text;
}

CString ArchiveTimeText(uint64_t utcFileTime)
{
    if (utcFileTime == 0)
        return CString();
    FILETIME time{static_cast<DWORD>(utcFileTime), static_cast<DWORD>(utcFileTime >> 32)};
    return CTime(time).Format(L"%d %b %Y, %X");
}

CString ArchiveDosTimeText(uint32_t dosDateTime)
{
    // Taken as local time by the rule of its own date, so that it shows as stored.
    return ArchiveTimeText(preview::DosLocalTimeToUtcFileTime(dosDateTime));
}

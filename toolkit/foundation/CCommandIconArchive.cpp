// The stored form of a command icon: height, schema and the normal, disabled,
// hot and pressed images as bitmap records (see core/IconArchiveFormat.h).
#include "CCommandIcon.h"

#include "AlphaBitmaps.h"
#include "ArchiveStreams.h"

namespace {

constexpr int kDefaultHeight = 15;  // the height an icon of a set is made with

kit::ImageRecord RecordOf(const CIconImage& image)
{
    kit::ImageRecord record;
    if (image.GetIcon() != nullptr)
    {
        ICONINFO info = {};
        if (::GetIconInfo(image.GetIcon(), &info))
        {
            if (info.hbmColor != nullptr)
            {
                record.colour = ReadBitmapRecord(info.hbmColor);
                record.mask = ReadBitmapRecord(info.hbmMask);
                ::DeleteObject(info.hbmColor);
            }
            if (info.hbmMask != nullptr)
                ::DeleteObject(info.hbmMask);
        }
    }
    else if (image.IsAlpha())
    {
        record.colour = ReadBitmapRecord(image.GetBitmap());
    }
    return record;
}

HBITMAP BitmapOf(const std::optional<kit::BitmapRecord>& record)
{
    if (!record)
        return nullptr;
    return CreateDibFromBits(record->header.data(), record->header.size(), record->pixels.data(),
                             record->pixels.size());
}

void ImageFromRecord(const kit::ImageRecord& record, CIconImage& image)
{
    image.Clear();
    HBITMAP hColour = BitmapOf(record.colour);
    HBITMAP hMask = BitmapOf(record.mask);
    if (hColour != nullptr && hMask != nullptr)
    {
        const int cx = record.colour->shape.width;
        const int cy = std::abs(record.colour->shape.height);
        if (HIMAGELIST hList = ::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1))
        {
            if (::ImageList_Add(hList, hColour, hMask) == 0)
                image.SetIcon(::ImageList_GetIcon(hList, 0, ILD_NORMAL));
            ::ImageList_Destroy(hList);
        }
        ::DeleteObject(hColour);
        ::DeleteObject(hMask);
    }
    else if (hColour != nullptr)
    {
        image.SetBitmap(hColour);
    }
    else if (hMask != nullptr)
    {
        ::DeleteObject(hMask);
    }
}

}  // namespace

void CCommandIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        kit::CommandIconRecord record;
        record.height = m_nHeight;
        record.normal = RecordOf(m_normal);
        record.disabled = RecordOf(m_disabled);
        record.hot = RecordOf(m_hot);
        record.pressed = RecordOf(m_pressed);
        CArchiveWriterStream writer(ar);
        kit::WriteCommandIconRecord(writer, record);
        return;
    }
    CArchiveReaderStream reader(ar);
    const kit::CommandIconRecord record = ReadFromArchive([&reader] { return kit::ReadCommandIconRecord(reader); });
    // A height no picture of ours has would only upset the proportions of drawing.
    m_nHeight = record.height >= 1 && record.height <= kit::kMaxStoredBitmapSide ? record.height : kDefaultHeight;
    ClearDerivedImages();
    ImageFromRecord(record.normal, m_normal);
    ImageFromRecord(record.disabled, m_disabled);
    ImageFromRecord(record.hot, m_hot);
    ImageFromRecord(record.pressed, m_pressed);
}

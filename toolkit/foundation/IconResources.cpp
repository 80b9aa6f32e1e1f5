#include "IconResources.h"

std::span<const uint8_t> AFXAPI FindResourceBytes(LPCWSTR pszName, LPCWSTR pszType)
{
    HINSTANCE hInstance = AfxFindResourceHandle(pszName, pszType);
    HRSRC hResource = ::FindResourceW(hInstance, pszName, pszType);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    const void* pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    if (pData == nullptr)
        return {};
    return {static_cast<const uint8_t*>(pData), ::SizeofResource(hInstance, hResource)};
}

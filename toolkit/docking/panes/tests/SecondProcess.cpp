#include "SecondProcess.h"

#include <windows.h>

#include <cstdio>
#include <string>

std::string RunSelfForReport(const std::wstring& arguments, const std::wstring& reportPath)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    ::DeleteFileW(reportPath.c_str());
    std::wstring command = L"\"" + std::wstring(path) + L"\" " + arguments + L" \"" + reportPath + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    // Wine refuses a start now and then while its lane's prefix is still settling
    // after the first boot; a start refused three times is the test's failure.
    bool started = false;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt)
    {
        if (attempt > 0)
            ::Sleep(1000);
        started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
        error = started ? 0 : ::GetLastError();
    }
    if (!started)
        return "not started (error " + std::to_string(error) + ")";
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    std::string text;
    if (FILE* file = _wfopen(reportPath.c_str(), L"rb"))
    {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

bool WriteReport(const std::wstring& reportPath, const std::string& text)
{
    FILE* file = _wfopen(reportPath.c_str(), L"wb");
    if (!file)
        return false;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return true;
}

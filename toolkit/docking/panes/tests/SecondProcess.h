// Runs this test program again with a few arguments and the path of a report
// file, which the second process writes; answers the report's text ("not
// started" when the process could not be run).
#pragma once

#include <string>

std::string RunSelfForReport(const std::wstring& arguments, const std::wstring& reportPath);

// Writes a report for the first process; FALSE when the file cannot be made.
bool WriteReport(const std::wstring& reportPath, const std::string& text);

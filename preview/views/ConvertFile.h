// The Office text-converter driver: converts a file from one format to another
// through the converter libraries (".cnv", ".wpc") of the folder named by
// WORDCNV_DIR, in two steps through a temporary RTF file when neither class is
// RTF. Diagnostics go to the standard error stream; nothing is shown.
#pragma once

class CConverterContext
{
public:
    virtual ~CConverterContext() = default;
};

// All arguments in the ANSI code page. 0 when the run ended normally (whatever
// the converters reported), 1 on an error before or around the conversion, 2 on a
// usage error.
int ConvertFile(CConverterContext& context, const char* importClass, const char* exportClass, const char* inputFile,
                const char* outputFile);

// What a caller learns beyond the result: whether converters for both classes
// were there, so that a missing converter is told apart from a file it refused.
struct ConverterOutcome
{
    bool convertersFound = false;
};
int ConvertFile(CConverterContext& context, const char* importClass, const char* exportClass, const char* inputFile,
                const char* outputFile, ConverterOutcome* outcome);

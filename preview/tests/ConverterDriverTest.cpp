// The text-converter driver under Wine with the stand-in converter of the tests:
// the one-step and two-step roads, RTF recognised by its first bytes, and the
// faults that end a run before converting.
#include "ConvertFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace
{

class ConverterDriver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A folder of each test's own, also as the temporary folder, so that tests
        // run side by side see only their own temporary files.
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = std::filesystem::temp_directory_path() / ("pelmo-converter-" + name);
        m_temporary = m_folder / "tmp";
        std::filesystem::create_directories(m_temporary);
        wchar_t previous[MAX_PATH + 1] = {};
        const DWORD length = ::GetEnvironmentVariableW(L"TMP", previous, MAX_PATH + 1);
        m_previousTmp = length > 0 && length <= MAX_PATH ? std::optional<std::wstring>(previous) : std::nullopt;
        ::SetEnvironmentVariableA("TMP", m_temporary.string().c_str());
        ::SetEnvironmentVariableA("WORDCNV_DIR", PREVIEW_CONVERTER_DIR);
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA("WORDCNV_DIR", nullptr);
        // The next test of the same process finds its temporary folder again.
        ::SetEnvironmentVariableW(L"TMP", m_previousTmp ? m_previousTmp->c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string Path(const char* name) const { return (m_folder / name).string(); }
    void Write(const char* name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const char* name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    int Convert(const char* importClass, const char* exportClass, const char* input, const char* output)
    {
        CConverterContext context;
        return ConvertFile(context, importClass, exportClass, Path(input).c_str(), Path(output).c_str());
    }
    size_t TemporaryFiles() const
    {
        size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_temporary))
            ++count;
        return count;
    }

    std::filesystem::path m_folder;
    std::filesystem::path m_temporary;
    std::optional<std::wstring> m_previousTmp;
};

TEST_F(ConverterDriver, TwoStepsThroughATemporaryRtfFileThatIsThenDeleted)
{
    Write("letter.doc", "Dear {reader}");
    EXPECT_EQ(Convert("MSWord8", "MSWord6RTFExp", "letter.doc", "letter.rtf"), 0);
    EXPECT_EQ(Read("letter.rtf"), "{\\rtf1\\ansi Dear \\{reader\\}}");
    EXPECT_EQ(TemporaryFiles(), 0u);
}

TEST_F(ConverterDriver, LongInputComesBackInPiecesWhole)
{
    const std::string text(5000, 'x');
    Write("long.doc", text);
    EXPECT_EQ(Convert("MSWord8", "RTF", "long.doc", "long.rtf"), 0);
    EXPECT_EQ(Read("long.rtf"), "{\\rtf1\\ansi " + text + "}");
}

TEST_F(ConverterDriver, CountsBeyondTheBufferAreRefusedAndEmptyOnesGoOn)
{
    // The stand-in reports what the write callback answered to 0, to one byte more
    // than the buffer and to -5; nothing of the refused counts reached the file.
    Write("odd.doc", "#sizes");
    EXPECT_EQ(Convert("MSWord8", "RTF", "odd.doc", "odd.rtf"), 0);
    EXPECT_EQ(Read("odd.rtf"), "{\\rtf1 1 -1 -1}");
}

TEST_F(ConverterDriver, RtfInputIsRecognisedByItsFirstBytes)
{
    Write("already.rtf", "{\\rtf1 fine}");
    EXPECT_EQ(Convert("", "MSWord6RTFExp", "already.rtf", "copy.rtf"), 0);
    EXPECT_EQ(Read("copy.rtf"), "{\\rtf1 fine}");
}

TEST_F(ConverterDriver, RunsThatEndBeforeConverting)
{
    Write("a.doc", "a");
    EXPECT_EQ(Convert("rtf", "RTF", "a.doc", "out.rtf"), 1);  // nothing to do
    EXPECT_FALSE(std::filesystem::exists(Path("out.rtf")));
    // No class to import: the temporary file is made, left empty and deleted.
    EXPECT_EQ(Convert("WordPerfect6", "MSWord6RTFExp", "a.doc", "out.rtf"), 0);
    EXPECT_FALSE(std::filesystem::exists(Path("out.rtf")));
    EXPECT_EQ(TemporaryFiles(), 0u);
    // A converter folder that does not exist.
    ::SetEnvironmentVariableA("WORDCNV_DIR", Path("nowhere").c_str());
    EXPECT_EQ(Convert("MSWord8", "MSWord6RTFExp", "a.doc", "out.rtf"), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("out.rtf")));
    // A class name beyond 259 characters.
    ::SetEnvironmentVariableA("WORDCNV_DIR", PREVIEW_CONVERTER_DIR);
    EXPECT_EQ(Convert(std::string(300, 'c').c_str(), "RTF", "a.doc", "out.rtf"), 1);
}

}  // namespace

#pragma once
// The texts the snapshot commands show.

namespace engine::snapshot {

inline constexpr char16_t kReplaceQuestionSuffix[] = u" already exists.\r\nWould you like to replace it?";
inline constexpr char16_t kCannotOpenText[] = u"The file could not be opened.";
inline constexpr char16_t kCannotWriteText[] = u"The file could not be written completely.";
inline constexpr char16_t kMissingFileSuffix[] = u" does not exists.";
inline constexpr char16_t kInvalidFileText[] = u"Invalid File.";
inline constexpr char16_t kBadTagText[] = u" A file with an invalid version number was found. : ";
inline constexpr char16_t kBadVersionText[] = u"The file's version does not match the current version 1.0.";
inline constexpr char16_t kMismatchText[] = u"Mismatch between the source file and the load recovery snapshot";
inline constexpr char16_t kProgressCaption[] = u"Progress...";

}  // namespace engine::snapshot

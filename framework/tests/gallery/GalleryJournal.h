// What the gallery's handlers did, in order, for the tests to read back.
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring>& GalleryJournal();

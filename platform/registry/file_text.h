// The settings file's text: the tree written as UTF-8 lines in the familiar .reg export layout,
// and read back from it (also from a file a person edited).
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/tree.h"

namespace platform::registry {

// The file's whole text for the tree, a comment header first.
std::string Serialize(const Key& root);

// Reads the file's bytes into *root; false when a line of them is no settings line (the file is
// damaged). Every line that reads well is read, also in a damaged file; a line that does not is
// passed over, and with a bad key line the values under it.
bool Parse(std::string_view bytes, Key* root);

}  // namespace platform::registry

// The settings file's text: the tree written as UTF-8 lines in the familiar .reg export layout,
// and read back from it (also from a file a person edited).
#pragma once

#include "platform/registry/tree.h"

namespace platform::registry {

// Writes the file's whole text for the tree, a comment header first, into texts->file: every value's
// place moves into it, and the side text is emptied. Values are copied as they stand, never decoded.
void Serialize(Key& root, Texts* texts);

// Reads texts->file into *root, in one pass over its bytes; false when a line of them is no settings
// line (the file is damaged). Every line that reads well is read, also in a damaged file; a line that
// does not is passed over, and with a bad key line the values under it. Values stay where they are
// in the file's bytes: only forms a person wrote otherwise than the store writes them are written
// again, to the side text.
bool Parse(Texts* texts, Key* root);

}  // namespace platform::registry

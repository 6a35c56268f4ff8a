// The one way this program copies a file into place.
#pragma once

namespace aof {

// Copies source to destination so that an existing destination is never left half-written:
// the copy is made beside it under a temporary name and then takes its place in one step (a
// destination that does not exist yet is copied to directly). A failed copy leaves the old
// destination as it was and no temporary file; GetLastError() then tells why. The copy is left
// writable, whatever the source is. failIfExists: an existing destination fails with
// ERROR_FILE_EXISTS. A read-only destination fails with ERROR_ACCESS_DENIED, as Windows refuses to
// replace it (Wine would not); so does a folder at the destination.
bool CopyIntoPlace(const char *source, const char *destination, bool failIfExists);

} // namespace aof

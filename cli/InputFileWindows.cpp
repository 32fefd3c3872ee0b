#include "InputFile.h"

#include <fcntl.h>
#include <io.h>

namespace InputFile
{
int open (const juce::File& file)
{
    return ::_wopen (file.getFullPathName().toWideCharPointer(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}
} // namespace InputFile

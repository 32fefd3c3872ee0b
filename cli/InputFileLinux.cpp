#include "InputFile.h"

#include <fcntl.h>

namespace InputFile
{
int open (const juce::File& file)
{
    // Without blocking, so that a pipe with no writer is refused rather than waited for.
    return ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}
} // namespace InputFile

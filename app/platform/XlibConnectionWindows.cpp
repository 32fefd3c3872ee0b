#include "XlibConnection.h"

// Windows has no X server: every call does nothing.

struct XlibConnection::Functions
{
};

XlibConnection::XlibConnection() = default;
XlibConnection::~XlibConnection() = default;

juce::String XlibConnection::getResources()
{
    return {};
}

void XlibConnection::pinWindowSize (juce::pointer_sized_uint, int, int)
{
}

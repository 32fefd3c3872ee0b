#include "XlibConnection.h"

XlibConnection& XlibConnection::get()
{
    static XlibConnection connection;
    return connection;
}

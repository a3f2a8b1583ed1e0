#include "registry.h"

namespace platform {

long NoRegistry::openKey(Key, const QString&, std::uint32_t, Key& opened)
{
    opened = 0;
    return FileNotFound;
}

long NoRegistry::queryValue(Key, const QString&, std::uint32_t&, QByteArray& data, int)
{
    data.clear();
    return FileNotFound;
}

long NoRegistry::closeKey(Key)
{
    return Success;
}

}

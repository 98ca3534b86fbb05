#include "convert/SilentJobHost.h"

#include <utility>

SilentJobHost::SilentJobHost(std::string source, std::string result)
    : m_source(std::move(source)), m_result(std::move(result))
{
}

std::string SilentJobHost::CellText(int, int column)
{
    switch (column) {
    case SourceFile:
        return m_source;
    case DestFile:
        return m_result;
    case Bitrate:
        return "128";
    default:
        return {};
    }
}

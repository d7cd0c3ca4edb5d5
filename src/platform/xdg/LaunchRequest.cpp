#include "platform/xdg/LaunchRequest.h"

#include <QList>

QByteArray LaunchRequest::encoded() const
{
    return entryFile + '\0' + actionId.toUtf8() + '\0' + startupId;
}

std::optional<LaunchRequest> LaunchRequest::decoded(const QByteArray &bytes)
{
    const QList<QByteArray> fields = bytes.split('\0');
    if (fields.size() != 3 || fields[0].isEmpty())
        return std::nullopt;
    return LaunchRequest{fields[0], QString::fromUtf8(fields[1]), fields[2]};
}

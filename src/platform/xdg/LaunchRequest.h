#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What Trovia asks its launch helper to launch, as it travels on the helper's standard input:
// fields separated by NUL bytes, so that an entry's path, which need not be UTF-8, arrives as the
// file system spells it.
struct LaunchRequest {
    QByteArray entryFile;
    QString actionId; // empty: the entry itself
    // The X startup notification Trovia began for the launch, on its own connection; empty
    // when there is none.
    QByteArray startupId;

    QByteArray encoded() const;
    // Nothing when the bytes are not a request.
    static std::optional<LaunchRequest> decoded(const QByteArray &bytes);
};

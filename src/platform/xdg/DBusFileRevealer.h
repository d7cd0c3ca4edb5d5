#pragma once

#include "platform/FileRevealer.h"

// The real revealer: org.freedesktop.FileManager1.ShowItems on the session bus; when that call
// fails (no file manager offers the service), the enclosing folder is opened instead.
class DBusFileRevealer : public FileRevealer
{
public:
    void reveal(const QUrl &url) override;
};

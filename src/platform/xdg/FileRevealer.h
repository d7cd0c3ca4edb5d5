#pragma once

#include <QUrl>

// Shows a file selected in the desktop's file manager.
class FileRevealer
{
public:
    virtual ~FileRevealer() = default;

    // Asks for the file at url to be shown; returns at once, the outcome is not awaited.
    virtual void reveal(const QUrl &url) = 0;
};

// The real revealer: org.freedesktop.FileManager1.ShowItems on the session bus; when that call
// fails (no file manager offers the service), the enclosing folder is opened instead.
class DBusFileRevealer : public FileRevealer
{
public:
    void reveal(const QUrl &url) override;
};

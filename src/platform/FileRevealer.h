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

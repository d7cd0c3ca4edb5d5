#pragma once

#include <QLoggingCategory>

// The system log's categories, one per layer, so that QT_LOGGING_RULES can silence or keep each
// (trovia.hotkey=false, trovia.*=false). Lines are written with qCWarning(...).noquote().
Q_DECLARE_LOGGING_CATEGORY(lcCore)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcCatalogue)
Q_DECLARE_LOGGING_CATEGORY(lcHotKey)
Q_DECLARE_LOGGING_CATEGORY(lcPresentation)
Q_DECLARE_LOGGING_CATEGORY(lcPreferences)
Q_DECLARE_LOGGING_CATEGORY(lcLauncher)

#include "core/Logging.h"

Q_LOGGING_CATEGORY(lcCore, "trovia.core")
Q_LOGGING_CATEGORY(lcPlatform, "trovia.platform")
Q_LOGGING_CATEGORY(lcCatalogue, "trovia.catalogue")
Q_LOGGING_CATEGORY(lcHotKey, "trovia.hotkey")
Q_LOGGING_CATEGORY(lcPresentation, "trovia.presentation")
Q_LOGGING_CATEGORY(lcPreferences, "trovia.preferences")
Q_LOGGING_CATEGORY(lcLauncher, "trovia.launcher")

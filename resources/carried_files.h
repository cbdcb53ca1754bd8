#pragma once

#include <QByteArray>
#include <QString>

namespace vintrale {

// The files the program carries inside its executable, by their resource paths.
inline constexpr const char* windowIconResource = ":/icons/window.ico";
inline constexpr const char* trayIconResource = ":/icons/tray.ico";

// The bytes of a carried file, or nothing when the executable does not carry it.
QByteArray carriedFile(const QString& resourcePath);

} // namespace vintrale

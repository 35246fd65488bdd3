#pragma once

#include <QString>

// The rules' messages word for word, as the tests expect them on screen.

inline const QString negativeHighSpeed = QStringLiteral("Negative time, how'd you do that? Positive numbers please.");
inline const QString negativeLowSpeed = QStringLiteral("Negative times, how'd you do that? Positive numbers please.");
inline const QString noHighSpeedTime = QStringLiteral("You must enter at least one watch time for the highspeed.");
inline const QString badEngineCount = QStringLiteral("The Number of engines must be a number > 0. Please try again.");
inline const QString badLandingPoints = QStringLiteral("Landing points range from 0 to 100 in 5 point increments");

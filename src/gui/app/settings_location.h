#pragma once
// Where the program settings file lives on this desktop.
#include <QString>

// The portable file beside the executable (its name with ".INI") when that
// exists and can be written, else the user's own under the configuration
// folder ($XDG_CONFIG_HOME/quizloom/quizloom.ini), which the first close
// creates.
QString settingsLocation(const QString& executablePath);

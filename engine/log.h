// The program's diagnostic log: one line per message on standard error, "globbet: LEVEL: text". Messages
// less severe than the threshold are dropped. The threshold starts from the environment variable
// GLOBBET_LOG ("error", "warning" or "info"; unset or anything else: warning); tests may set it.
#pragma once

enum class LogLevel { kError, kWarning, kInfo };

// Formats the message printf-style (cut at 1023 bytes, line breaks turned into spaces) and writes it as
// one line when level is as severe as the threshold or more.
void Log(LogLevel level, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Messages of level and more severe ones are written from now on.
void SetLogThreshold(LogLevel level);
// The threshold in force.
LogLevel GetLogThreshold();

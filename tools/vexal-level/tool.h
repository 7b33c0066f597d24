// vexal-level: the level authors' command-line tool. Each subcommand lives in
// its own file; main.cpp only picks one.
#pragma once

#include <cstdio>

// Exit statuses shared by every subcommand.
enum { EXIT_OK = 0, EXIT_PROBLEM = 1, EXIT_USAGE = 2 };

// Subcommands get the arguments after their own name.
int Info_Run(int argc, char** argv);
int Roundtrip_Run(int argc, char** argv);
int Lint_Run(int argc, char** argv);
int Run_Run(int argc, char** argv);
int Pilot_Run(int argc, char** argv);

// "vexal-level: cannot read PATH: <the error in words>" on stderr, for an
// errno value or one of the readers' own errors (FileError_Text), -1 (no
// memory) included.
void Tool_ReportFileError(const char* action, const char* path, int error);
// "vexal-level: MESSAGE" and the subcommand's usage on stderr; returns EXIT_USAGE.
int Tool_UsageError(const char* message, const char* usage);

// JSON output: a float that reads back to the same value (null if not finite)
// and a string with escapes (bytes that are not UTF-8 become U+FFFD).
void Json_WriteNumber(FILE* out, float value);
void Json_WriteString(FILE* out, const char* text);

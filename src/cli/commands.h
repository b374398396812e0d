#pragma once
// The commands of the headless tool, one function each (listed in command_table.cpp).

#include "cli/command.h"

namespace tomelin::cli {

int boardsCommand(const std::vector<std::string>& args, CommandIo& io);
int playCommand(const std::vector<std::string>& args, CommandIo& io);
int movesCommand(const std::vector<std::string>& args, CommandIo& io);
int matchCommand(const std::vector<std::string>& args, CommandIo& io);
int perftCommand(const std::vector<std::string>& args, CommandIo& io);
int benchCommand(const std::vector<std::string>& args, CommandIo& io);
// uai_command.cpp: the engine protocol on standard input and output.
int uaiCommand(const std::vector<std::string>& args, CommandIo& io);
// tune_command.cpp: self-play data and the fit of the standard game's evaluation weights.
int tuneCommand(const std::vector<std::string>& args, CommandIo& io);
int helpCommand(const std::vector<std::string>& args, CommandIo& io);
// store_commands.cpp: the persistent store and the records survey.
int storeCommand(const std::vector<std::string>& args, CommandIo& io);
int recordsCommand(const std::vector<std::string>& args, CommandIo& io);

}  // namespace tomelin::cli

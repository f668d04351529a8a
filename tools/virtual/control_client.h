#pragma once
// "px300-virtual ctl": one control command sent to the server that serves a directory.
#include <string>

// Sends commandLine to the server's control socket in dir, prints the output (stdout when done,
// stderr when failed) and returns the exit status: 0 done, 1 failed or no server answered.
int RunControlClient(const std::string& dir, const std::string& commandLine);

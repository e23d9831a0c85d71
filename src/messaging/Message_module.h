#pragma once

class Program;

// The three presence broadcasts. Each goes out through the compose window's socket, loading that window
// hidden when it does not exist; a broadcast that cannot go out is reported in one box and the program goes
// on.
namespace Message_module {

void BroadcastHostQuery(Program& program);
void BroadcastNeighborReply(Program& program);
void BroadcastQuitNotice(Program& program);

} // namespace Message_module

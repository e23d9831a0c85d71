#pragma once

class Program;

// The three presence broadcasts. Each goes out through the compose window's socket, loading that window
// hidden when it does not exist. A broadcast that cannot go out is reported in one box, once until a send
// works again (any host can send presence queries as fast as it likes), and the program goes on.
namespace Message_module {

void BroadcastHostQuery(Program& program);
void BroadcastNeighborReply(Program& program);
void BroadcastQuitNotice(Program& program);

// A send through the compose window's socket went out: the next failed broadcast is reported again.
void SendingWorks(Program& program);

} // namespace Message_module

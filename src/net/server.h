#pragma once
// TServer: the host. Slots, login, relay, and the game engine, driven by explicit calls from
// a transport (Qt sockets, or in-memory in tests). It never touches a socket or a clock.
//
// Entry points the transport calls (this is the contract with src/net/qt and quintrel-server;
// the owner of this file may add to it, but keeps these):
//
//   int  Sock1Accept(bool fromLoopback);   // choose the slot for a new connection: 1..9, or 10
//                                          // for a refused one; marks it connected
//   void accepted(int slot);               // the transport has bound the connection to `slot`:
//                                          // sends CMD_sendlogininfo, or CMD_full+ and closes 10
//   void Sock1Read(int slot, std::string_view bytes);   // bytes received on a slot
//   void connectionClosed(int slot);       // the slot's connection is gone ("Socket Closed",
//                                          // orderly or not); safe to call twice
//   void socktimerTimer();                 // dispatch one queued line (every 10 ms)
//   void Timer1Timer();                    // the computer players' / next round timer fired
//   bool timer1Enabled() const; int timer1Interval() const;   // read after every call; the
//                                          // transport starts/stops its QTimer to match
//
// Messages go out through the Outbox given at construction (src/engine/outbox.h).

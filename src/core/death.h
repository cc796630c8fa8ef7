#pragma once
// Death: the last messages, a record appended to dead.txt, a report in morgue/, a key, the
// end. Both home and the field die through here.

[[noreturn]] void dead();

#pragma once

class Clock;
class Random;
class Dialogs;
class ProcessLauncher;
class SingleInstance;
class ProgramEnd;
class SoundPlayer;
class FileLock;
class Pause;
class WaitNotice;

// Everything outside the program. main() wires the real adapters, tests wire
// doubles; screens and procedures reach the outside world only through this.
struct Platform
{
    Clock &clock;
    Random &random;
    Dialogs &dialogs;
    ProcessLauncher &launcher;
    SingleInstance &singleInstance;
    ProgramEnd &programEnd;
    SoundPlayer *sound = nullptr;
    FileLock *fileLock = nullptr;
    Pause *pause = nullptr;
    WaitNotice *waitNotice = nullptr;
};

"""End-to-end harness: vesk.exe under Wine on a virtual X display beside the
stand-in game, driven by real input and inspected from outside."""

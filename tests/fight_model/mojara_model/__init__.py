"""A reference model of one Mojara Taisen fight, written in Python.

It replays the battle window from its load to its hand-over on a virtual
clock and produces the same per-event state lines as `mojara-sim fight
--trace`, so the two can be compared event by event.
"""

from .fight import FightOptions, run_fight

__all__ = ["FightOptions", "run_fight"]

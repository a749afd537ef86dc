"""The move programs that patan plays, one row per step.

A row is (POSE, YSPD, XSPD in units of the facing sign, change to ACTION,
extra).  None means the row does not set that value.  The change is -25,
-40 or 0, or END for the last step, which sets ACTION to 50000 (standing).
"""

END = "end"

# Extras of a step.
CLEAR_HITS = "clear_hits"          # if the side was hit last: counter off
CHARGE = "charge"                  # POW + 10
CLEAR_MOVEDMG = "clear_movedmg"    # MOVEDMG = 0
FLICKER = "flicker"                # POSE = Int(2 * r) + 7

HEAVY_KNOCKDOWN = {
    400: (10, -800, -500, -25, None),
    401: (10, -300, -300, -25, None),
    402: (10, 300, -250, -25, None),
    403: (10, 800, -100, -25, None),
    404: (11, None, None, -40, None),
    405: (6, -150, 100, 0, None),
    406: (1, 150, 100, 0, None),
    407: (1, None, None, END, CLEAR_HITS),
}

FLINCH = {
    410: (10, None, -300, -25, None),
    411: (11, None, -100, 0, None),
    412: (6, None, None, 0, None),
    413: (1, None, None, END, CLEAR_HITS),
}

RAMPAGE = {
    420: (12, None, None, -25, None),
    421: (9, None, -200, -25, None),
    422: (5, None, 300, -25, None),
    423: (3, None, 400, -25, None),
    424: (5, None, 500, -25, None),
    425: (4, None, None, 0, None),
    426: (1, None, None, END, None),
}

HEEL_DROP = {
    430: (9, -400, 200, -25, None),
    431: (9, -300, 150, -25, None),
    432: (7, None, None, -25, FLICKER),
    433: (5, 300, None, -25, None),
    434: (5, 400, None, -25, None),
    435: (6, None, None, -25, None),
    436: (1, None, None, END, None),
}

POWER_CHARGE = {
    440: (7, None, 50, -25, None),
    441: (8, None, -50, -25, None),
    442: (7, None, 50, -25, None),
    443: (8, None, -50, -25, None),
    444: (1, None, None, END, CHARGE),
}

DRAGON_PUNCH = {
    450: (7, None, 300, -25, None),
    451: (8, None, 100, -25, None),
    452: (12, None, 50, -25, None),
    453: (3, -300, 50, -25, None),
    454: (3, -100, 50, -25, None),
    455: (4, 400, 50, -25, None),
    456: (6, None, None, 0, None),
    457: (1, None, None, END, None),
}

# Step 465 has no row: the kick hangs in the air with picture 5 for 2 ticks.
KICK = {
    460: (12, None, -100, -25, None),
    461: (9, None, 200, -25, None),
    462: (5, -200, 200, 0, None),
    463: (5, -100, 200, -25, None),
    464: (5, 100, 100, -25, None),
    466: (5, 200, 100, 0, None),
    467: (6, None, None, 0, None),
    468: (1, None, None, END, None),
}

PUNCH = {
    470: (2, None, 200, 0, None),
    471: (3, None, None, 0, None),
    472: (2, None, -200, 0, None),
    473: (1, None, None, END, None),
}

KNOCK_BACK = {
    480: (10, -300, -300, -25, None),
    481: (10, -100, -200, 0, None),
    482: (10, 100, -150, 0, None),
    483: (10, 300, -100, -25, None),
    484: (11, None, None, -25, None),
    485: (6, -150, 100, 0, None),
    486: (1, 150, 100, 0, None),
    487: (1, None, None, END, CLEAR_HITS),
}

FLYING_KICK = {
    490: (9, -300, None, -25, None),
    491: (9, -200, None, -25, None),
    492: (9, -100, None, 0, None),
    493: (5, 100, None, 0, None),
    494: (5, 200, None, -25, None),
    495: (5, 300, None, -25, None),
    496: (6, None, None, -25, None),
    497: (1, None, None, END, CLEAR_MOVEDMG),
}

STEPS = {}
for _program in (HEAVY_KNOCKDOWN, FLINCH, RAMPAGE, HEEL_DROP, POWER_CHARGE,
                 DRAGON_PUNCH, KICK, PUNCH, KNOCK_BACK, FLYING_KICK):
    STEPS.update(_program)

# Command code -> (start code, power cost, MOVEDMG) of the attack it starts.
MOVES = {
    3: (49000, 0, 4),    # flying kick
    5: (47000, 0, 5),    # punch
    6: (46000, 0, 3),    # kick
    7: (45000, 10, 8),   # rising dragon punch
    8: (44000, 0, 0),    # power charge
    9: (43000, 25, 10),  # heel drop
    10: (42000, 40, 6),  # rampage
}

# Reaction start codes chosen by the damage tally after a hit.
KNOCK_BACK_START = 48000
FLINCH_START = 41000
HEAVY_KNOCKDOWN_START = 40000

"""The battle tick (Timer1) with the command step CPU, the move engine patan,
the hit test and the damage procedure DAMI."""

from . import programs, rounds
from .numbers import check_int32, fix, round_half_even
from .sound import HIT_CUE, KNOCKDOWN_CUE, MUSIC

WINDOW_OUTER_WIDTH = 7755   # client width 7635 plus the frame
SPRITE_WIDTH, SPRITE_HEIGHT = 855, 1065
FLOOR_TOP = 4935


def battle_tick(b):
    if not b.host.playing(MUSIC):
        if b.host.slots[MUSIC[0]].started is not None:
            b.host.note("music starts again")
        b.host.play(MUSIC)
    if b.LIFE[1] <= 0 or b.LIFE[0] <= 0 or b.CLOCK <= 0:
        finishing_tick(b)
    else:
        live_tick(b)


def live_tick(b):
    for b.IX in (0, 1):
        s, o = b.IX, 1 - b.IX
        cpu(b)
        rounds.gauge_step(b)
        patan(b)
        b.ACTION[s] += 50
        if b.POSE[s] in (3, 5) and hit_test(b):
            dami(b)
        if b.ACTION[s] >= 50000:
            if b.XPOS[s] == b.XPOS[o]:
                b.host.note("resting on the other's spot")
            b.FACING[s] = 1 if b.XPOS[s] > b.XPOS[o] else 0
    b.IX = 2
    b.ZIKAN = "ＴＩＭＥ\r\n%d" % (b.CLOCK // 100)
    b.shape1_left = b.GAZOU[0].left
    b.CLOCK -= 8
    if b.CLOCK <= 0:
        b.host.note("time up")
        b.label3[1] = "Ｔｉｍｅ　Ｕｐ！"
        b.label3[0] = True
    if b.LIFE[1] <= 0 or b.LIFE[0] <= 0:
        b.label3[1] = "Ｋ．Ｏ．！！"
        b.label3[0] = True


def finishing_tick(b):
    for b.IX in (0, 1):
        s = b.IX
        rounds.gauge_step(b)
        patan(b)
        b.ACTION[s] += 50
        if b.POSE[s] == 11:
            b.ACTION[s] = 51000
    b.IX = 2
    b.image1_visible = not b.image1_visible
    if not b.host.playing(KNOCKDOWN_CUE):
        b.host.play(KNOCKDOWN_CUE)
    else:
        b.host.note("effect still sounding on a finishing tick")
    if b.ACTION[0] >= 50100 and b.ACTION[1] >= 50100:
        if b.LIFE[1] / b.LIFEFULL[1] == b.LIFE[0] / b.LIFEFULL[0]:
            b.host.note("equal life fractions")
        b.IX = 1 if b.LIFE[1] / b.LIFEFULL[1] >= b.LIFE[0] / b.LIFEFULL[0] else 0
        if b.CLOCK <= 0 and b.IX == 0:
            b.host.note("time up won by the player")
        b.LIFE[1 - b.IX] = 0
        rounds.good(b)
        b.host.disable("Timer1")
        b.host.enable("Timer2")
        b.shape1_left = b.GAZOU[0].left


def place_sprite(b, s):
    sprite = b.GAZOU[s]
    sprite.top = b.YPOS[s]
    sprite.left = b.XPOS[s]
    sprite.picture = b.sprite_index(s)


def cpu(b):
    """The command step of side IX: the player's key or a random draw."""
    s = b.IX
    if b.INPUTON != 0 and s != 1:
        c = b.KEYCMD
        b.KEYCMD = 0
    elif s == 1 and b.INPUTON2 != 0:
        c = b.KEYCMD2
        b.KEYCMD2 = 0
    else:
        c = fix(b.host.rng.draw() * 13)
    if c in (1, 11, 2, 12):
        if 49000 <= b.ACTION[s] < 50000:
            b.host.note("flying kick steered")
        if b.ACTION[s] >= 49000:
            step = b.WALKSPD[s]
            b.XSPD[s] += -step if c in (1, 11) else step
        if b.ACTION[s] >= 50000:
            b.POSE[s] = abs(b.POSE[s] - 1)
    if c > 2 and b.ACTION[s] >= 50000 and c in programs.MOVES:
        start, cost, extra = programs.MOVES[c]
        if b.POW[s] == cost and cost:
            b.host.note("special move with exactly its cost")
        if b.POW[s] - cost >= 0:
            b.POW[s] -= cost
            b.ACTION[s] = start
            b.MOVEDMG[s] = extra
    b.XPOS[s] += b.XSPD[s]
    b.YPOS[s] += b.YSPD[s]
    b.YSPD[s] = b.XSPD[s] = 0
    place_sprite(b, s)


def patan(b):
    """One tick of the current step of side IX's move program."""
    s = b.IX
    row = programs.STEPS.get(b.ACTION[s] // 100)
    d = 2 * abs(b.FACING[s] - 1) - 1
    if row is not None:
        pose, yspd, xspd, change, extra = row
        if yspd is not None:
            b.YSPD[s] = yspd
        if xspd is not None:
            b.XSPD[s] = xspd * d
        if change == programs.END:
            b.ACTION[s] = 50000
        else:
            b.ACTION[s] += change
        b.POSE[s] = pose
        if extra == programs.FLICKER:
            b.POSE[s] = int(2 * b.host.rng.draw()) + 7
        elif extra == programs.CLEAR_HITS and b.HITSIDE == s:
            b.HITCOUNT = 0
            b.label3[1] = ""
        elif extra == programs.CHARGE:
            b.POW[s] += 10
            if b.POW[s] > 100:
                b.host.note("charge beyond 100")
        elif extra == programs.CLEAR_MOVEDMG:
            b.MOVEDMG[s] = 0
    b.XPOS[s] += b.XSPD[s]
    b.YPOS[s] += b.YSPD[s]
    b.YSPD[s] = b.XSPD[s] = 0
    if b.XPOS[s] <= 0:
        b.XPOS[0] += 300
        b.XPOS[1] += 300
    if SPRITE_WIDTH + b.XPOS[s] >= WINDOW_OUTER_WIDTH:
        b.XPOS[0] -= 300
        b.XPOS[1] -= 300
    place_sprite(b, s)
    if b.POSE[s] == 11:
        b.DMGTALLY = 0


def hit_test(b):
    """Does the striking point of side IX lie in the other side's box?"""
    a, h = b.IX, 1 - b.IX
    front = b.XPOS[a] + SPRITE_WIDTH * abs(b.FACING[a] - 1)
    middle = b.YPOS[a] + SPRITE_HEIGHT / 2
    hit = (front >= b.XPOS[h] and front <= b.XPOS[h] + SPRITE_WIDTH
           and middle >= b.YPOS[h] and b.YPOS[h] + SPRITE_HEIGHT >= middle)
    if hit and front == b.XPOS[h]:
        b.host.note("hit on the other sprite's left edge")
    if hit and front == b.XPOS[h] + SPRITE_WIDTH:
        b.host.note("hit on the other sprite's right edge")
    return hit


def dami(b):
    """A hit by side IX on the other side."""
    a, h = b.IX, abs(b.IX - 1)
    if b.ACTION[h] < 50000:
        b.host.note("hit replaces a running program")
    b.DMGTALLY += b.MOVEDMG[a] + b.ATK[a]
    b.LIFE[h] -= b.ATK[a] + b.MOVEDMG[a]
    b.POW[h] += b.MOVEDMG[a]
    b.POW[a] = round_half_even(b.POW[a] + b.MOVEDMG[a] / 2)
    b.ACTION[h] = programs.KNOCK_BACK_START
    if b.DMGTALLY < 20:
        b.ACTION[h] = programs.FLINCH_START
    if b.DMGTALLY >= 60:
        b.host.note("heavy knock-down")
        b.ACTION[h] = programs.HEAVY_KNOCKDOWN_START
        b.host.play(KNOCKDOWN_CUE)
    else:
        b.host.play(HIT_CUE)
    b.YPOS[h] = round_half_even(FLOOR_TOP - SPRITE_HEIGHT)
    b.HITCOUNT += 1
    if b.HITCOUNT >= 26:
        b.host.note("combo counter at full green")
    green = min(10 * b.HITCOUNT, 255)
    b.label3[2] = [0, green, 0]
    b.label3[1] = "%dＨＩＴ！！" % b.HITCOUNT
    b.HITSIDE = h
    b.SCORE[a] = check_int32(b.SCORE[a] + b.MOVEDMG[a] * b.HITCOUNT * 100, "SCORE")

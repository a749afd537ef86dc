"""The battle window: shared state, window variables, controls, load, keys.

Names follow the game (LIFE, XPOS, ACTION, GAZOU, WAKUN, ...).  Every
per-side value is a two-entry list indexed by side: 0 the player, 1 the
computer.  Timers, sound slots and the beep belong to the host (the run on
the virtual clock), which the window reaches through `self.host`.
"""

from . import rounds, tick
from .numbers import round_half_even, single, width_text
from .roster import ROSTER

NL = "\r\n"
GAUGE_FULL = 3165
DESIGN_LEFT, DESIGN_TOP = (2415, 4305), 3885

# Key code -> command code (the P key holds code 4, which starts nothing).
KEY_COMMANDS = {37: 1, 39: 2, 38: 3, 80: 4, 65: 5, 90: 6, 83: 7, 81: 8, 88: 9, 87: 10}
SPACE = 32


class Sprite:
    def __init__(self, left, top):
        self.left, self.top, self.picture = left, top, None


class Battle:
    def __init__(self, host, p0, p1, speed=5, pow_=(0, 0), score=(0, 0)):
        self.host = host
        # Shared state as an accepted draw on the select window leaves it.
        self.CHARA = [p0, p1]
        fighters = [ROSTER[p0], ROSTER[p1]]
        self.PNAME = [f.name for f in fighters]
        self.LIFEFULL = [f.lifefull for f in fighters]
        self.ATK = [f.atk for f in fighters]
        self.WALKSPD = [f.walkspd for f in fighters]
        self.LIFE = list(self.LIFEFULL)
        self.FACING = [0, 1]
        self.BEATEN = [0] * 9
        self.BEATEN[p1] = 1
        self.PRESSED = 1
        self.STAGE = 0
        self.SPEED = speed
        self.POW, self.SCORE = list(pow_), list(score)
        self.XPOS, self.YPOS = [0, 0], [0, 0]
        self.XSPD, self.YSPD = [0, 0], [0, 0]
        self.POSE, self.ACTION = [0, 0], [0, 0]
        self.IX = 0
        # The window's own variables: all 0 before its first fight.
        self.SHOWLIFE, self.SHOWPOW, self.MOVEDMG = [0, 0], [0, 0], [0, 0]
        self.CLOCK = self.HITCOUNT = self.HITSIDE = self.SEQTICK = 0
        self.INPUTON = self.KEYCMD = self.DMGTALLY = 0
        self.INPUTON2 = self.KEYCMD2 = 0    # a versus fight's second player
        self.versus = False
        self.handed_over_to = None

    # ---- controls in their design state -------------------------------
    def _build_controls(self):
        self.GAZOU = [Sprite(DESIGN_LEFT[i], DESIGN_TOP) for i in (0, 1)]
        self.LIFEMATA = [2325.0, 2325.0]
        self.POWMATA = [2325.0, 2325.0]
        self.WAKUN = ["名前／ポイント", "名前／ポイント"]
        self.label2 = [True, "READY?"]
        self.label3 = [True, "ＨＩＴ数", [0, 0, 0]]
        self.ZIKAN = "ＴＩＭＥ９９"
        self.shape1_left = 2415
        self.image1_visible = False

    def sprite_index(self, side, pose=None):
        pose = self.POSE[side] if pose is None else pose
        return self.CHARA[side] * 28 + self.FACING[side] * 14 + pose

    def name_caption(self, side):
        return "%dＰ%s%s%dＰ" % (side + 1, self.PNAME[side], NL, self.SCORE[side])

    def set_life_gauge(self, side):
        self.LIFEMATA[side] = single(GAUGE_FULL * self.SHOWLIFE[side] / self.LIFEFULL[side])

    def set_pow_gauge(self, side, value):
        self.POWMATA[side] = single(GAUGE_FULL * value / 100)

    # ---- Form_Load ----------------------------------------------------
    def load(self, seed):
        self._build_controls()
        self.INPUTON, self.HITCOUNT, self.SEQTICK = 1, 0, 0
        self.INPUTON2 = self.KEYCMD2 = 0
        self.label3[1] = ""
        self.host.rng.reseed(seed)
        self.CLOCK = 9900
        for self.IX in (0, 1):
            side = self.IX
            self.FACING[side] = side
            self.POSE[side] = 0
            self.LIFE[side] = self.LIFEFULL[side]
            self.YPOS[side] = round_half_even(self.GAZOU[side].top)
            self.XPOS[side] = round_half_even(self.GAZOU[side].left)
            self.ACTION[side] = 50000
            self.SHOWPOW[side] = 0
            self.SHOWLIFE[side] = self.LIFE[side]
        self.IX = 2
        for self.IX in (0, 1):
            side = self.IX
            self.set_life_gauge(side)
            self.set_pow_gauge(side, self.POW[side])
            self.WAKUN[side] = self.name_caption(side)
            self.GAZOU[side].picture = self.sprite_index(side)
        self.IX = 2
        # Timer1's interval is SPEED; Timer3 runs from its design state.

    # ---- Form_KeyDown -------------------------------------------------
    def key_down(self, code, player=0):
        """A key of the first player (0) or, in a versus fight, the second (1)."""
        self.PRESSED = 1
        live = (self.LIFE[1] > 0 and self.INPUTON != 0 and self.CLOCK > 0
                and self.LIFE[0] > 0 and not self.label2[0])
        if live:
            if code == SPACE:
                self.host.beep()
                self._toggle_pause()
            elif code in KEY_COMMANDS and player == 1:
                self.KEYCMD2 = KEY_COMMANDS[code]
            elif code in KEY_COMMANDS:
                self.KEYCMD = KEY_COMMANDS[code]
        elif code == SPACE and not self.host.enabled("Timer3") \
                and not self.host.enabled("Timer2"):
            self.host.beep()
            if self.LIFE[0] <= 0 or self.LIFE[1] <= 0 or self.CLOCK <= 0:
                self.host.note("pause on a finishing tick")
            self._toggle_pause()

    def _toggle_pause(self):
        if self.host.enabled("Timer1"):
            self.host.disable("Timer1")
            self.label2[0] = True
        else:
            self.host.enable("Timer1")
            self.label2[0] = False

    # ---- timer events -------------------------------------------------
    def timer_event(self, name):
        {"Timer1": tick.battle_tick, "Timer2": rounds.closing,
         "Timer3": rounds.opening}[name](self)

    # ---- the state line after an event --------------------------------
    def trace_line(self, event, timer, sounds, beeps):
        line = {
            "e": event, "timer": timer, "IX": self.IX,
            "ACTION": list(self.ACTION), "POSE": list(self.POSE),
            "FACING": list(self.FACING), "XPOS": list(self.XPOS), "YPOS": list(self.YPOS),
            "LIFE": list(self.LIFE), "POW": list(self.POW), "SCORE": list(self.SCORE),
            "SHOWLIFE": list(self.SHOWLIFE), "SHOWPOW": list(self.SHOWPOW),
            "MOVEDMG": list(self.MOVEDMG), "CLOCK": self.CLOCK,
            "HITCOUNT": self.HITCOUNT, "DMGTALLY": self.DMGTALLY,
            "HITSIDE": self.HITSIDE, "KEYCMD": self.KEYCMD, "SEQTICK": self.SEQTICK,
            "PRESSED": self.PRESSED, "STAGE": self.STAGE,
            "LIFEMATA": [width_text(w) for w in self.LIFEMATA],
            "POWMATA": [width_text(w) for w in self.POWMATA],
            "GAZOU": [[g.left, g.top, g.picture] for g in self.GAZOU],
            "Label2": list(self.label2),
            "Label3": [self.label3[0], self.label3[1], list(self.label3[2])],
            "ZIKAN": self.ZIKAN, "WAKUN": list(self.WAKUN),
            "Shape1": self.shape1_left, "Image1": self.image1_visible,
            "Timers": [self.host.enabled(t) for t in ("Timer1", "Timer2", "Timer3")],
            "sounds": [list(s) for s in sounds], "beeps": beeps,
        }
        if self.versus:
            line["KEYCMD2"] = self.KEYCMD2
        return line

    def end_line(self, reason, event):
        return {"end": reason, "e": event, "STAGE": self.STAGE, "BEATEN": list(self.BEATEN),
                "SCORE": list(self.SCORE), "POW": list(self.POW), "LIFE": list(self.LIFE)}

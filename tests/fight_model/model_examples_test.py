#!/usr/bin/env python3
"""The fight model against the worked examples of the game's rules: clock
and time-up, winner and tally, damage, the move programs' shapes, keys and
pause, and the sound files' lengths.  These pin the model itself, so that
the comparison with the runner cannot pass with both sides wrong."""

import os
import struct
import sys
import unittest

sys.dont_write_bytecode = True    # leave no caches in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from mojara_model import programs, rounds, tick  # noqa: E402
from mojara_model.fight import FightOptions, Host, run_fight  # noqa: E402
from mojara_model.sound import midi_length_ms, wav_length_ms  # noqa: E402
from mojara_model.window import Battle  # noqa: E402


class FixedDraws:
    """A generator that always draws the same number."""

    def __init__(self, value):
        self.value = value

    def draw(self):
        return self.value

    def reseed(self, seed):
        pass


def loaded_battle(p0=0, p1=1, draw=0.0):
    """A battle after its load; draw 0 makes every computer command 0 (none)."""
    host = Host(FightOptions(p0, p1), {})
    battle = Battle(host, p0, p1)
    battle.load(1)
    host.rng = FixedDraws(draw)
    host.enable("Timer1")
    battle.label2[0] = False
    return battle


def play_program(start, facing=0, xpos=3000):
    """Run one program alone; returns per tick (POSE, XPOS, YPOS)."""
    battle = loaded_battle()
    battle.IX, battle.FACING[0], battle.XPOS[0] = 0, facing, xpos
    battle.ACTION[0] = start
    frames = []
    while battle.ACTION[0] < 50000:
        tick.patan(battle)
        battle.ACTION[0] += 50
        frames.append((battle.POSE[0], battle.XPOS[0], battle.YPOS[0]))
    return frames


class ClockAndTimeUp(unittest.TestCase):
    def test_clock_runs_out_on_live_tick_1238(self):
        battle = loaded_battle()
        tick.battle_tick(battle)
        self.assertEqual(battle.ZIKAN, "ＴＩＭＥ\r\n99")
        self.assertEqual(battle.CLOCK, 9892)
        for number in range(2, 1239):
            tick.battle_tick(battle)
            if number >= 1227:
                self.assertEqual(battle.ZIKAN, "ＴＩＭＥ\r\n0")
            if number < 1238:
                self.assertEqual(battle.label3[1], "")
        self.assertEqual(battle.CLOCK, -4)
        self.assertEqual(battle.label3[1], "Ｔｉｍｅ　Ｕｐ！")

    def test_equal_fractions_go_to_the_computer(self):
        battle = loaded_battle(0, 0)
        battle.CLOCK = 0
        battle.ACTION = [50100, 50100]
        tick.battle_tick(battle)
        self.assertEqual(battle.IX, 1)
        self.assertEqual(battle.LIFE[0], 0)
        self.assertTrue(battle.host.enabled("Timer2"))

    def test_larger_fraction_wins_not_more_life(self):
        battle = loaded_battle()
        battle.LIFEFULL, battle.LIFE, battle.CLOCK = [100, 200], [50, 60], 0
        battle.ACTION = [50100, 50100]
        tick.battle_tick(battle)
        self.assertEqual((battle.IX, battle.LIFE), (0, [50, 0]))


class Tally(unittest.TestCase):
    def tally(self, life, lifefull, clock):
        battle = loaded_battle()
        battle.IX, battle.LIFE[0], battle.LIFEFULL[0], battle.CLOCK = 0, life, lifefull, clock
        battle.label3[1] = "Ｋ．Ｏ．！！"
        rounds.good(battle)
        return battle

    def test_life_and_time_bonus(self):
        battle = self.tally(379, 380, 12)
        self.assertEqual(battle.SCORE[0], 29921 + 11)
        self.assertEqual(battle.label3[1], "Ｋ．Ｏ．！！\r\nＬＩＦＥ：29921\r\nＴＩＭＥ：11")
        self.assertEqual(battle.GAZOU[0].picture, 13)

    def test_full_life_and_time_up_clock(self):
        self.assertEqual(self.tally(380, 380, -4).SCORE[0], 30000 - 4)


class Damage(unittest.TestCase):
    def punch_hit(self, attacker_pow):
        battle = loaded_battle()
        battle.IX, battle.MOVEDMG[0], battle.POW[0] = 0, 5, attacker_pow
        tick.dami(battle)
        return battle

    def test_first_punch_of_a_combo(self):
        battle = self.punch_hit(10)
        self.assertEqual(battle.LIFE[1], 320 - 10)
        self.assertEqual(battle.DMGTALLY, 10)
        self.assertEqual(battle.ACTION[1], 41000)
        self.assertEqual(battle.POW, [12, 5])
        self.assertEqual(battle.label3[1:], ["1ＨＩＴ！！", [0, 10, 0]])
        self.assertEqual((battle.SCORE[0], battle.HITSIDE, battle.YPOS[1]), (500, 1, 3870))
        self.assertEqual(battle.host.sounds, [("MMControl3", "snd1.wav")])

    def test_half_power_rounds_to_even(self):
        self.assertEqual(self.punch_hit(11).POW[0], 14)

    def test_tally_picks_the_reaction(self):
        battle = loaded_battle()
        battle.IX, battle.MOVEDMG[0] = 0, 10
        reactions = []
        for _ in range(5):
            tick.dami(battle)
            reactions.append(battle.ACTION[1])
        self.assertEqual(reactions, [41000, 48000, 48000, 40000, 40000])  # tally 15 a hit
        self.assertEqual(battle.host.sounds[-1], ("MMControl2", "snd2.wav"))
        self.assertEqual(battle.label3[2], [0, 50, 0])

    def test_hit_test_includes_the_edges(self):
        battle = loaded_battle()
        battle.IX, battle.POSE[0] = 0, 3
        battle.XPOS = [1000, 1855]
        self.assertTrue(tick.hit_test(battle))
        battle.XPOS[1] = 1856
        self.assertFalse(tick.hit_test(battle))
        battle.FACING[0], battle.XPOS = 1, [1855, 1000]
        self.assertTrue(tick.hit_test(battle))


class MovePrograms(unittest.TestCase):
    # start code: ticks, net forward, highest point, hit-active ticks
    SHAPES = {47000: (7, 0, 0, (3, 4)), 46000: (25, 2200, 800, (9, 22)),
              44000: (17, 0, 0, None), 49000: (25, 0, 2200, (11, 20)),
              45000: (27, 2400, 1600, (13, 20)), 43000: (25, 1400, 2800, (13, 20)),
              42000: (23, 4000, 0, (9, 20)), 41000: (9, -1400, 0, None),
              48000: (21, -1900, 1400, None), 40000: (31, -4200, 4400, None)}

    def test_program_shapes(self):
        for start, (ticks, forward, height, active) in self.SHAPES.items():
            for facing, xpos in ((0, 1000), (1, 6000)):
                with self.subTest(start=start, facing=facing):
                    frames = play_program(start, facing, xpos if forward >= 0 else 6000 - xpos)
                    start_x = xpos if forward >= 0 else 6000 - xpos
                    sign = 1 if facing == 0 else -1
                    self.assertEqual(len(frames), ticks)
                    self.assertEqual((frames[-1][1] - start_x) * sign, forward)
                    self.assertEqual(3885 - min(f[2] for f in frames), height)
                    self.assertEqual(frames[-1][2], 3885)
                    hits = [n + 1 for n, f in enumerate(frames) if f[0] in (3, 5)]
                    self.assertEqual((hits[0], hits[-1]) if hits else None, active)

    def test_every_program_ends_standing_with_picture_1(self):
        for start in (s * 100 for s in programs.STEPS if s % 10 == 0):
            self.assertEqual(play_program(start)[-1][0], 1)


class KeysAndPause(unittest.TestCase):
    def test_last_key_before_a_tick_counts(self):
        battle = loaded_battle()
        battle.key_down(65)
        battle.key_down(90)
        tick.battle_tick(battle)
        self.assertEqual((battle.ACTION[0], battle.MOVEDMG[0]), (46025, 3))

    def test_pause_and_resume_with_beeps(self):
        battle = loaded_battle()
        battle.key_down(32)
        self.assertEqual((battle.host.enabled("Timer1"), battle.label2[0]), (False, True))
        battle.key_down(65)
        self.assertEqual(battle.KEYCMD, 0)
        battle.key_down(32)
        self.assertEqual((battle.host.enabled("Timer1"), battle.host.beeps), (True, 2))

    def test_space_during_the_opening_does_nothing(self):
        options = FightOptions(0, 1, keys=[(5, 32), (5, 32)], max_events=10)
        lines, end = run_fight(options, {})
        self.assertEqual(sum(line["beeps"] for line in lines[:9]), 0)
        self.assertEqual(end["end"], "limit")


class SoundFiles(unittest.TestCase):
    def test_wave_length_is_frames_over_rate(self):
        fmt = struct.pack("<HHIIHH", 1, 2, 8000, 32000, 4, 16)
        data = (b"RIFF" + struct.pack("<I", 36 + 4000) + b"WAVE" + b"fmt " +
                struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", 4000) + bytes(4000))
        self.assertEqual(wav_length_ms(data), 125.0)

    def test_midi_length_follows_the_tempo_map(self):
        # 96 ticks a beat: one beat at 0.5 s, then 2 beats at 0.25 s.
        track = (b"\x00\xff\x51\x03\x07\xa1\x20" + b"\x00\x90\x3c\x40" +
                 b"\x60\xff\x51\x03\x03\xd0\x90" + b"\x81\x40\x80\x3c\x00" + b"\x00\xff\x2f\x00")
        data = (b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) +
                b"MTrk" + struct.pack(">I", len(track)) + track)
        self.assertEqual(midi_length_ms(data), 1000.0)


if __name__ == "__main__":
    unittest.main()

"""The eight fighters: name, full life, attack strength, walking speed."""

from collections import namedtuple

Fighter = namedtuple("Fighter", "name lifefull atk walkspd")

ROSTER = (
    Fighter("だいさく", 380, 5, 100),
    Fighter("みよ", 320, 6, 150),
    Fighter("タマ", 190, 3, 250),
    Fighter("大顔面", 450, 9, 50),
    Fighter("暗黒騎士 jiro", 150, 7, 175),
    Fighter("はにい", 255, 4, 200),
    Fighter("あいあんどーる", 200, 2, 300),
    Fighter("黒炭人", 80, 5, 120),
)

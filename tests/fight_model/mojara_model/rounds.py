"""Round flow: the gauge step, the opening on Timer3, the tally GOOD and the
closing on Timer2 with its hand-over."""

from .numbers import check_int32, fix

NL = "\r\n"


def gauge_step(b):
    """Gauges of side IX follow LIFE and POW by one point; the name label."""
    s = b.IX
    if b.LIFE[s] < 0:
        b.LIFE[s] = 0
    if b.POW[s] > 100:
        b.POW[s] = 100
    moved = False
    if b.SHOWLIFE[s] > b.LIFE[s]:
        b.SHOWLIFE[s] -= 1
        moved = True
    if b.SHOWLIFE[s] < b.LIFE[s]:
        b.SHOWLIFE[s] += 1
        moved = True
    if moved:
        b.set_life_gauge(s)
    moved = False
    if b.SHOWPOW[s] > b.POW[s]:
        b.SHOWPOW[s] -= 1
        moved = True
    if b.SHOWPOW[s] < b.POW[s]:
        b.SHOWPOW[s] += 1
        moved = True
    if moved:
        b.set_pow_gauge(s, b.SHOWPOW[s])
    b.WAKUN[s] = b.name_caption(s)


def opening(b):
    """Timer3: READY? ... GO!! and the start of the battle tick."""
    for b.IX in (0, 1):
        gauge_step(b)
    b.IX = 2
    if b.SHOWLIFE[0] == b.LIFE[0] and b.SHOWLIFE[1] == b.LIFE[1]:
        b.SEQTICK += 1
        if b.SEQTICK == 10:
            b.label2[1] = "ＲＥＡＤＹ？"
            b.host.beep()
        elif b.SEQTICK == 30:
            b.label2[1] = "GO!!"
        if b.SEQTICK >= 50:
            b.label2[0] = False
            b.label2[1] = "待った！！"
            b.host.enable("Timer1")
            b.host.disable("Timer3")
            b.host.beep()


def good(b):
    """The tally for the winner w = IX: life and time bonus, victory picture."""
    w = b.IX
    b.label3[2] = [0, 0, 0]
    life_bonus = fix(b.LIFE[w] / b.LIFEFULL[w] * 30000)
    time_bonus = fix(b.CLOCK / 100 / 100 * 10000)
    b.label3[1] = "%s%sＬＩＦＥ：%d%sＴＩＭＥ：%d" % (b.label3[1], NL, life_bonus, NL, time_bonus)
    b.SCORE[w] = check_int32(b.SCORE[w] + life_bonus + time_bonus, "SCORE")
    b.GAZOU[w].picture = b.sprite_index(w, pose=13)


def closing(b):
    """Timer2: the loser's gauge drains, then the window hands over."""
    for b.IX in (0, 1):
        gauge_step(b)
    b.IX = 2
    b.image1_visible = False
    b.SEQTICK += 1
    if (b.SHOWLIFE[0] == 0 or b.SHOWLIFE[1] == 0) and b.SEQTICK >= 100:
        b.host.disable("Timer2")
        if b.SHOWLIFE[1] == 0:
            b.handed_over_to = "Form5"
            b.STAGE += 1
        else:
            b.handed_over_to = "Form6"
            b.BEATEN[b.CHARA[1]] = 0

# The crew switch the lights on, open and close the hatch and the door, and
# leave the descent stage behind on the Moon.
# Spotlights and strobe on.
at 0.00 key Lander Alt+B
# Hatch (A) and door (Alt+I) open: about 3 s each.
at 0.10 key Lander A
at 0.10 key Lander Alt+I
# ... and close again.
at 3.50 key Lander A
at 3.50 key Lander Alt+I
# Lift-off: the descent stage stays behind as Lander-DescentStage.
at 7.00 key Lander Alt+J
at 7.10 save lander-ascent-saved.scn

# Saved on the way up, the escape tower still on: the file keeps "LAUNCHL 1".
at 20.00 save capsule-launch-saved.scn
# The launch stack climbs past 100 km (about 32 s) and the escape tower
# leaves by itself (Tarva-LES), pushed 160 m/s ahead and 32 m/s aside.
# The capsule stays in its launch stage until the crew says otherwise.
# Saved now it writes no stage line: without its tower it comes back in the
# orbital stage.
at 36.00 save capsule-launch-tower-gone.scn
# The crew select the orbital stage: the solar arrays deploy (10 s).
at 40.00 key Tarva Alt+O
at 51.00 key Tarva Alt+B

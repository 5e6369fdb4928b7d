# A few frames, each with one overrun.
at 0.05 save heap-overrun-saved.scn

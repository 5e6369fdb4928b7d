# A frame for the step callbacks, the HUD drawn, then the lines saved.
at 0.10 hud Seam 640x480
at 0.20 save seams-saved.scn

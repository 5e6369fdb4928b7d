# The spotlight put on the light mast and set up from its keys.
at 0.00 visual Spot on
# Attach it to the mast's point 1 (at x = 1 m, 2 m up) through the input box.
at 0.10 key Spot V
at 0.20 input Mast 1
at 0.30 key Spot B
# Aim: tilt up for 1 s (a fifth of the travel), then turn right for 1.25 s
# (a quarter turn).
at 0.40 hold Spot Shift+Up 1
at 1.50 hold Spot Shift+Right 1.25
# Dim to 80 % and set range and spread through the input boxes.
at 2.90 hold Spot J 1
at 4.00 key Spot N
at 4.10 input 120
at 4.20 key Spot M
at 4.30 input 35
# Switch off and on again.
at 4.40 key Spot B
at 4.50 key Spot B
# Move the mast's point up 0.5 m and turn it 36 degrees about its normal.
at 4.60 hold Spot Shift+NumPad2 1
at 5.70 hold Spot Alt+NumPad4 0.5
at 6.30 hud Spot 1920x1080

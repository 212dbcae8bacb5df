# Draws the example run: the magnitudes of the two input spectra, and the
# response time history that zelvane wrote to real_inv.out.
# Run it in the folder of the example run:
#   gnuplot -e "out='example.png'" /path/to/examples/plot.gp
if (!exists("out")) out = 'example.png'
set terminal pngcairo noenhanced size 900,700 font "DejaVu Sans,10"
set output out
set multiplot layout 2,1 title "zelvane example: half-sine pulse through a 5 Hz, 5 % damped oscillator"

set title "Input spectra"
set xlabel "frequency (Hz)"
set ylabel "|pulse spectrum|"
set y2label "|transfer function|"
set ytics nomirror
set y2tics
set xrange [0:20]
set grid
plot "pulse_spectrum.txt" using 1:(sqrt($2**2 + $3**2)) with lines lw 2 title "pulse (pulse_spectrum.txt)", \
     "oscillator.txt" using 1:(sqrt($2**2 + $3**2)) axes x1y2 with lines lw 2 title "oscillator (oscillator.txt)"

set title "Response (real_inv.out)"
set xlabel "time (s)"
set ylabel "acceleration (units of the pulse)"
unset y2label
unset y2tics
set ytics mirror
set xrange [0:2.5]
set autoscale y
plot "real_inv.out" using 1:2 with lines lw 2 title "mass acceleration"
unset multiplot

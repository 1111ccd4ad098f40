% dma_loopback_plot.m - write a waveform to the card of identifier 0 by DMA,
% read it back, check it, and plot what came back.
%
% With a display the plot opens in a figure window. Without one (octave-cli
% on a server, a test run) it is saved as dma_loopback.png in the current
% folder, or in the temporary folder when that one is not writable; with no
% graphics at all the script prints a summary instead. Run it with the ovrix
% commands on the path (addpath('build/ovrix'), or pkg load ovrix); without a
% real card library it drives the virtual card.

% The sample design beside this script, else wherever it is on the path.
here = fileparts(mfilename('fullpath'));
bitstream = fullfile(here, 'ovrix_sample.bit');
is_octave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
if ~exist(bitstream, 'file')
  if is_octave
    bitstream = file_in_loadpath('ovrix_sample.bit');
  else
    bitstream = which('ovrix_sample.bit');
  end
end

% A decaying tone with a faster one on top, as 16-bit samples. The DMA write
% sends the bytes of the array as stored, so the samples are made int16 first.
n = 2048;
t = (0:n - 1) / n;
wave = int16(round(12000 * sin(2 * pi * 5 * t) .* exp(-2 * t) + 3000 * sin(2 * pi * 60 * t)));
offset = 65536;        % byte offset in the card's local address space
channel = 0;           % DMA channel

h = ovrix_init();
try
  ovrix_config(h, bitstream);
  ovrix_write16_dma(h, offset, wave, channel);
  back = ovrix_read16_dma(h, offset, n, channel);
catch err
  ovrix_close(h);      % close the card whatever went wrong, then report it
  rethrow(err);
end
ovrix_close(h);

if ~isequal(back, wave)
  error('dma_loopback_plot: %d of %d samples came back different', sum(back ~= wave), n);
end
fprintf('DMA loopback of %d 16-bit samples on channel %d: ok\n', n, channel);

% Plot it: on screen when there is a display, else into a PNG file.
if is_octave
  can_plot = ~isempty(available_graphics_toolkits());
  headless = ~have_window_system();
else
  can_plot = true;
  headless = ~usejava('desktop');
end
plotted = false;
if can_plot
  try
    if headless
      fig = figure('visible', 'off', 'position', [100 100 900 600]);
    else
      fig = figure('position', [100 100 900 600]);
    end
    x = 0:n - 1;
    subplot(2, 1, 1);
    plot(x, double(wave), 'b', x, double(back), 'r--');
    xlim([0 n - 1]);
    legend('written', 'read back', 'location', 'southeast');
    title(sprintf('DMA loopback, %d samples on channel %d', n, channel));
    ylabel('sample');
    subplot(2, 1, 2);
    plot(x, double(back) - double(wave), 'k');
    xlim([0 n - 1]);
    ylim([-1 1]);
    xlabel('sample index');
    ylabel('read - written');
    if headless
      folder = pwd;    % the current folder, else the temporary one
      [ok, attributes] = fileattrib(folder);
      if ~ok || ~attributes.UserWrite
        folder = tempdir;
      end
      png = fullfile(folder, 'dma_loopback.png');
      device = '-dpng';
      if is_octave && strcmp(graphics_toolkit(fig), 'gnuplot')
        device = '-dpngcairo';   % gnuplot's own PNG terminal, no Ghostscript needed
      end
      print(fig, png, device);
      close(fig);
      fprintf('plot saved as %s\n', png);
    end
    plotted = true;
  catch err
    fprintf('no plot (%s)\n', err.message);
  end
end
if ~plotted
  fprintf('read back: min %d, max %d, first samples %s\n', min(back), max(back), ...
          mat2str(double(back(1:8))));
end

% register_peek_poke.m - write and read back a few 32-bit registers of the
% card of identifier 0 by programmed transfer, and print them.
%
% A design exposes its registers as 32-bit words in the card's local address
% space; here four of them sit at byte offsets 0, 4, 8 and 12. Run this with
% the ovrix commands on the path (addpath('build/ovrix'), or pkg load ovrix);
% without a real card library it drives the virtual card.

% The sample design beside this script, else wherever it is on the path.
here = fileparts(mfilename('fullpath'));
bitstream = fullfile(here, 'ovrix_sample.bit');
if ~exist(bitstream, 'file')
  if exist('OCTAVE_VERSION', 'builtin')
    bitstream = file_in_loadpath('ovrix_sample.bit');
  else
    bitstream = which('ovrix_sample.bit');
  end
end

names   = {'CONTROL', 'STATUS', 'COUNT', 'SCRATCH'};
offsets = [0 4 8 12];                    % byte offsets, one 32-bit word apart
% Values go to the card as the bytes of the array, so make them uint32 first:
% a double array would send the 8 bytes of each double, not the number.
values  = uint32([1 hex2dec('80000000') 1000 hex2dec('CAFEF00D')]);

h = ovrix_init();
try
  ovrix_config(h, bitstream);

  % Poke each register on its own, then peek at all four in one read.
  for k = 1:numel(names)
    ovrix_write32(h, offsets(k), values(k));
  end
  regs = ovrix_read32(h, offsets(1), numel(names), 1);   % option 1: uint32

  fprintf('%-8s  %-6s  %-10s  %-10s\n', 'register', 'offset', 'wrote', 'read');
  for k = 1:numel(names)
    fprintf('%-8s  0x%04x  0x%08x  0x%08x\n', names{k}, offsets(k), values(k), regs(k));
  end
  if ~isequal(regs, values)
    error('register_peek_poke: the registers read back differ from those written');
  end

  % Read-modify-write: set bit 4 of CONTROL and leave the others as they are.
  control = ovrix_read32(h, 0, 1, 1);
  ovrix_write32(h, 0, bitor(control, uint32(16)));
  fprintf('CONTROL after setting bit 4: 0x%08x\n', ovrix_read32(h, 0, 1, 1));
catch err
  ovrix_close(h);      % close the card whatever went wrong, then report it
  rethrow(err);
end
ovrix_close(h);
fprintf('registers: ok\n');

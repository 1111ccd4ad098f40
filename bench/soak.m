function soak(calls, limit_mib)
  % SOAK  Many calls of every ovrix command on the virtual card, successes and
  % failures mixed, watching the process's memory and the completion events.
  %   soak()                 about 100,000 command calls
  %   soak(CALLS, LIMIT)     about CALLS calls; LIMIT MiB of growth allowed (4)
  %
  % Each round opens a card, configures it, sets a clock, reads every record,
  % moves data both ways at every width by programmed I/O and DMA (checking
  % it came back), then makes every command fail: wrong input counts and
  % classes, out-of-range values, closed handles, and faults armed in the
  % virtual card (ovrix_vcard 'fail' and 'fail_event'). The journal is on
  % all the while; at the end it must hold no more than its 4096 entries.
  %
  % The resident memory (VmRSS of /proc/self/status) is taken after a
  % warm-up of a fifth of the calls and at the end; the run fails (error)
  % if it grew by more than LIMIT MiB, if a completion event or a card
  % handle is left open after any round, if a call that must fail does not,
  % or if data does not come back as written.
  %
  % Run it with scripts/soak, or from Octave with build/ovrix and bench/ on
  % the path.
  if nargin < 1
    calls = 100000;
  end
  if nargin < 2
    limit_mib = 4;
  end
  bitfile = fullfile(fileparts(which('ovrix_init')), 'ovrix_sample.bit');
  if ~exist(bitfile, 'file')
    error('soak:setup', 'no sample bitstream beside the plug-ins: %s', bitfile);
  end
  data = struct('u8', uint8(mod(0:255, 256)), 'i8', int8(-128:127), ...
                'i16', int16(-1000:23:4000), 'u32', uint32(1:97) * 40503);

  ovrix_vcard('reset');
  ovrix_vcard('journal', true);
  rss_start = rss_mib();
  t0 = tic;
  done = 0;
  failures = 0;
  rounds = 0;
  warm = ceil(calls / 5);
  rss_warm = NaN;
  warm_calls = 0;
  while done < calls
    rounds = rounds + 1;
    [n, f] = one_round(rounds, bitfile, data);
    done = done + n;
    failures = failures + f;
    events = ovrix_vcard('events');
    handles = ovrix_vcard('handles');
    if events ~= 0 || handles ~= 0
      error('soak:open', 'round %d left %d completion event(s) and %d handle(s) open', ...
            rounds, events, handles);
    end
    if isnan(rss_warm) && done >= warm
      rss_warm = rss_mib();
      warm_calls = done;
    end
  end
  seconds = toc(t0);
  rss_end = rss_mib();
  events = ovrix_vcard('events');
  % Read only now: a 4096-entry struct array would blur the memory figures.
  journal = numel(ovrix_vcard('journal'));
  ovrix_vcard('reset');

  growth = rss_end - rss_warm;
  printf('soak: %d command calls (%d failed as they should) in %d rounds, %.1f s\n', ...
         done, failures, rounds, seconds);
  printf('soak: VmRSS %.1f MiB at start, %.1f MiB after warm-up (%d calls), %.1f MiB at the end\n', ...
         rss_start, rss_warm, warm_calls, rss_end);
  printf('soak: growth after warm-up %.2f MiB (limit %.1f MiB); completion events open: %d\n', ...
         growth, limit_mib, events);
  printf('soak: journal entries kept: %d of the last calls\n', journal);
  if events ~= 0
    error('soak:events', '%d completion event(s) left open', events);
  end
  if journal > 4096
    error('soak:journal', 'the journal holds %d entries; it keeps 4096', journal);
  end
  if growth > limit_mib
    error('soak:memory', 'resident memory grew by %.2f MiB after warm-up', growth);
  end
  printf('soak: passed\n');
end

function mib = rss_mib()
  status = fileread('/proc/self/status');
  kb = regexp(status, 'VmRSS:\s*(\d+)\s*kB', 'tokens', 'once');
  mib = str2double(kb{1}) / 1024;
end

% One round: n command calls, f of them failing as they should.
function [n, f] = one_round(k, bitfile, data)
  n = 0;
  f = 0;
  % ---- successes
  h = ovrix_init();
  ovrix_config(h, bitfile);
  hz = ovrix_setclockrate(h, mod(k, 2), 40 + mod(k, 100));
  if ~(hz > 0)
    error('soak:clock', 'clock gave %g Hz', hz);
  end
  [id, serial, board, fpga, nclk, ndma, nspace, nbank, lsize, brev, lrev] = ovrix_getinfo(h);
  [base, len, wmask, flags, bus] = ovrix_getspaceinfo(h, mod(k, 3));
  [tmask, width, bsize, fitted] = ovrix_getbankinfo(h, mod(k, 4));
  h5 = ovrix_init([], 1);
  n = n + 8;

  off = 4096 * mod(k, 16);
  ovrix_write8(h, off, data.u8);
  same(ovrix_read8(h, off, numel(data.u8), 1), data.u8, 'read8');
  ovrix_write16(h, off + 1024, data.i16);
  same(ovrix_read16(h, off + 1024, numel(data.i16)), data.i16, 'read16');
  ovrix_write32(h, off + 2048, data.u32);
  same(ovrix_read32(h, off + 2048, numel(data.u32), 1), data.u32, 'read32');
  ovrix_write8_dma(h, off, data.i8);
  same(ovrix_read8_dma(h, off, numel(data.i8)), data.i8, 'read8_dma');
  ovrix_write16_dma(h, off + 1024, data.i16, 0);
  same(ovrix_read16_dma(h, off + 1024, numel(data.i16), 1), data.i16, 'read16_dma');
  ovrix_write32_dma(h, off + 2048, data.u32);
  same(ovrix_read32_dma(h, off + 2048, numel(data.u32), 0, -4), data.u32, 'read32_dma');
  ovrix_write32(h, off, complex(single(1:4), 1));  % the real part goes
  x = ovrix_read32_dma(h, off, 2, 1, 8);           % as doubles
  n = n + 14;

  % ---- failures: inputs
  f = f + fails(@() ovrix_read8(h));
  f = f + fails(@() ovrix_write8(h, 0, uint8(1), 0));
  f = f + fails(@() ovrix_getinfo({h}));
  f = f + fails(@() ovrix_getinfo(struct('h', h)));
  f = f + fails(@() ovrix_getbankinfo(h, {}));
  f = f + fails(@() ovrix_getspaceinfo(h, 3 + mod(k, 5)));
  f = f + fails(@() ovrix_read32(h, 64 * 2^20, 4));
  f = f + fails(@() ovrix_read16(h, 0, -1 - mod(k, 1000)));
  f = f + fails(@() ovrix_read32(h, 0, 2^31));
  f = f + fails(@() ovrix_write16(h, 0, int8(1:3)));
  f = f + fails(@() ovrix_write8_dma(h, 0, sparse([1 0 2])));
  f = f + fails(@() ovrix_read32_dma(h, 0, 4, 0, 5 + mod(k, 3)));
  f = f + fails(@() ovrix_read8_dma(h, 0, 4, 7));
  f = f + fails(@() ovrix_setclockrate(h, 0, NaN));
  f = f + fails(@() ovrix_setclockrate(h, 2 + mod(k, 9), 50));
  f = f + fails(@() ovrix_config(h, sprintf('no_such_design_%d.bit', mod(k, 50))));
  f = f + fails(@() ovrix_config(h, {bitfile}));
  f = f + fails(@() ovrix_init(99));
  f = f + fails(@() ovrix_init([], 7));
  f = f + fails(@() ovrix_init(1, 1));
  f = f + fails(@() two_outputs(@ovrix_init));
  f = f + fails(@() ovrix_write32_dma(h, 0, {data.u32}));
  f = f + fails(@() ovrix_read16(single([]), 0, 1));

  % ---- failures: the card library and the event layer
  ovrix_vcard('fail', 'ADMXRC2_Read', 8);
  f = f + fails(@() ovrix_read32(h, 0, 4));
  ovrix_vcard('fail', 'ADMXRC2_Write', 9);
  f = f + fails(@() ovrix_write8(h, 0, data.u8));
  ovrix_vcard('fail', 'ADMXRC2_DoDMAImmediate', 17);
  f = f + fails(@() ovrix_read16_dma(h, 0, 4));
  ovrix_vcard('fail', 'ADMXRC2_DoDMAImmediate', 16);
  f = f + fails(@() ovrix_write16_dma(h, 0, data.i16));
  ovrix_vcard('fail_event', 1);
  f = f + fails(@() ovrix_write32_dma(h, 0, data.u32));
  ovrix_vcard('fail_event', 1);
  f = f + fails(@() ovrix_read32_dma(h, 0, 4));
  ovrix_vcard('fail', 'ADMXRC2_GetCardInfo', 65536 + mod(k, 1000));  % texts of unknown codes
  f = f + fails(@() ovrix_getinfo(h));
  ovrix_vcard('fail', 'ADMXRC2_GetCardInfo', 18);
  f = f + fails(@() ovrix_read8_dma(h, 0, 4));
  ovrix_vcard('fail', 'ADMXRC2_GetSpaceInfo', 5);
  f = f + fails(@() ovrix_getspaceinfo(h));
  ovrix_vcard('fail', 'ADMXRC2_GetBankInfo', 5);
  f = f + fails(@() ovrix_getbankinfo(h, 1));
  ovrix_vcard('fail', 'ADMXRC2_SetClockRate', 13);
  f = f + fails(@() ovrix_setclockrate(h, 0, 50));
  ovrix_vcard('fail', 'ADMXRC2_ConfigureFromFile', 12);
  f = f + fails(@() ovrix_config(h, bitfile));
  ovrix_vcard('fail', 'ADMXRC2_OpenCard', 4);
  f = f + fails(@() ovrix_init());
  ovrix_vcard('fail', 'ADMXRC2_OpenCardByIndex', 2);
  f = f + fails(@() ovrix_init([], 0));

  % ---- closing, and what a closed handle gives
  ovrix_close(h5);
  ovrix_close(h);
  ovrix_close(h);  % closing twice is quiet
  n = n + 3;
  f = f + fails(@() ovrix_getinfo(h));
  f = f + fails(@() ovrix_read8(h, 0, 4));
  f = f + fails(@() ovrix_write32_dma(h5, 0, data.u32));
  n = n + f;
end

function same(got, want, what)
  if ~isequal(got, want) || ~strcmp(class(got), class(want))
    error('soak:data', '%s did not give back what was written', what);
  end
end

function two_outputs(f)
  [a, b] = f();
end

% 1 when calling f fails with a message; an error when it succeeds.
function one = fails(f)
  try
    f();
  catch err
    if isempty(err.message)
      error('soak:message', 'a failure without a message: %s', func2str(f));
    end
    one = 1;
    return;
  end
  error('soak:succeeded', 'this call should have failed: %s', func2str(f));
end

function results = ovrix_bench(outdir, reps, widths)
  % OVRIX_BENCH  Times ovrix's commands beside the host's floors and beside
  % fread/fwrite on tmpfs, in one run; prints a markdown table and writes it,
  % with a plot of throughput against size, to OUTDIR.
  %
  %   ovrix_bench(OUTDIR)         11 repetitions
  %   ovrix_bench(OUTDIR, REPS)
  %   ovrix_bench(OUTDIR, REPS, WIDTHS)   e.g. 32 alone, for a quick look
  %
  % Needs on the path: build/ovrix (the plug-ins) and build/bench (the
  % reference plug-ins). Run by scripts/bench, which also preloads the
  % allocation counter (without it the allocation column reads n/a).
  %
  % Method. Calls are timed in batches of K calls of one statement, in a
  % loop as a user writes it (x = ovrix_read32(h, 0, n);), K chosen so that a
  % batch of the floor takes about 20 ms (one call at 64 MiB). Within a
  % group (one direction, width and size) the variants run interleaved, in an
  % order that rotates from one repetition to the next, so that every ratio
  % is taken between batches run side by side; a figure is the median over
  % the repetitions, with the interquartile range in brackets.
  %
  % Allocations are counted around a batch of the same loop by
  % bench/alloc_count.c, preloaded; it tells those called from ovrix's own
  % files from those the host makes, and bench_allocs.mex switches it on and
  % off. OVRIX_BENCH_ALLOC_TRACE=1 in the environment prints the call stack of
  % each counted allocation.
  if nargin < 1 || isempty(outdir)
    outdir = pwd;
  end
  if nargin < 2 || isempty(reps)
    reps = 11;
  end
  page_output_immediately(true, 'local');

  cfg.reps = reps;
  cfg.target = 0.02;                 % seconds per batch
  cfg.widths = [8 16 32];
  if nargin >= 3 && ~isempty(widths)
    cfg.widths = widths;
  end
  cfg.sizes = {'1 element', '4 KiB', '1 MiB', '64 MiB'};
  cfg.bytes = [0 4096 2^20 2^26];    % 0: one element of the width
  cfg.counting = ~isempty(bench_allocs('stop'));

  bitfile = file_in_loadpath('ovrix_sample.bit');
  if isempty(bitfile)
    error('ovrix_bench: ovrix_sample.bit is not on the path (add build/ovrix)');
  end
  h = ovrix_init();
  close_card = onCleanup(@() ovrix_close(h));
  ovrix_config(h, bitfile);

  % glibc serves an allocation from fresh pages of its own (mmap) while it is
  % larger than a threshold that rises, up to 32 MiB, with the largest such
  % block freed so far. Free one of 16 MiB first, as any session that has
  % handled large arrays has, so that every variant at 1 MiB is served from
  % the heap and at 64 MiB from fresh pages, whatever ran before.
  primer = zeros(1, 2^21);
  clear primer

  % The card's 64 MiB and the peer's file hold the same pattern, so every
  % read copies real pages.
  pattern = repmat(uint8(mod(0:2^20-1, 251)), 1, 64);
  ovrix_write8(h, 0, pattern);
  peerfile = [tempname('/dev/shm', 'ovrix_bench_') '.bin'];
  fid = fopen(peerfile, 'w+');
  if fid < 0
    error('ovrix_bench: cannot make %s', peerfile);
  end
  drop_file = onCleanup(@() drop_peer(fid, peerfile));
  fwrite(fid, pattern, 'uint8');
  fflush(fid);
  clear pattern

  printf('ovrix benchmark: %d repetitions per figure, %s\n', reps, cpu_model());
  rows = {};
  for w = cfg.widths
    printf('  reads, %d-bit ...\n', w);
    rows = [rows, read_rows(cfg, w, h, fid)];
    printf('  writes, %d-bit ...\n', w);
    rows = [rows, write_rows(cfg, w, h, fid)];
  end
  printf('  information ...\n');
  rows = [rows, info_rows(cfg, h)];

  results.rows = rows;
  results.cfg = cfg;
  results.cpu = cpu_model();
  text = report(results);
  printf('\n%s', text);
  if ~exist(outdir, 'dir')
    mkdir(outdir);
  end
  fid_md = fopen(fullfile(outdir, 'results.md'), 'w');
  fputs(fid_md, text);
  fclose(fid_md);
  save('-binary', fullfile(outdir, 'results.bin'), 'results');
  png = fullfile(outdir, 'throughput.png');
  plot_throughput(results, png);
  printf('\nwritten: %s (and the raw times in results.bin), %s\n', ...
         fullfile(outdir, 'results.md'), png);
end

% ---- groups ------------------------------------------------------------------

function rows = read_rows(cfg, w, h, fid)
  cls = sprintf('int%d', w);
  pio = sprintf('ovrix_read%d', w);
  dma = sprintf('ovrix_read%d_dma', w);
  rows = {};
  for s = 1:numel(cfg.sizes)
    n = count_of(cfg, s, w);
    v = {};
    v{end+1} = variant(pio, sprintf('x = %s(h, 0, n);', pio));
    v{end+1} = variant(dma, sprintf('x = %s(h, 0, n);', dma));
    v{end+1} = variant('floor', sprintf('x = bench_read%d(h, 0, n);', w));
    v{end+1} = variant('peer', sprintf('fseek(fid, 0, -1); x = fread(fid, [1 n], ''%s=>%s'');', ...
                                       cls, cls));
    d = [];
    if w == 32
      % What the host costs, beside the read floor.
      d = ones(1, n, cls);
      v{end+1} = variant('zeroed', 'x = bench_read32z(h, 0, n);');
      v{end+1} = variant('octave', 'x = zeros(1, n, ''int32''); x(:) = d;');
      v{end+1} = variant('octave copy', 'x = d; x(1) = 0;');
      if s == 1
        v{end+1} = variant('loop', '');
      end
    end
    g = run_group(cfg, v, 'floor', h, n, d, fid);
    g.size = s;
    g.bytes = n * w / 8;
    g.width = w;
    g.direction = 'read';
    rows{end+1} = g;
  end
end

function rows = write_rows(cfg, w, h, fid)
  cls = sprintf('int%d', w);
  pio = sprintf('ovrix_write%d', w);
  dma = sprintf('ovrix_write%d_dma', w);
  rows = {};
  for s = 1:numel(cfg.sizes)
    n = count_of(cfg, s, w);
    d = cast(mod(1:n, 100), cls);
    v = {};
    v{end+1} = variant(pio, sprintf('%s(h, 0, d);', pio));
    v{end+1} = variant(dma, sprintf('%s(h, 0, d);', dma));
    v{end+1} = variant('floor', 'bench_write(h, 0, d);');
    v{end+1} = variant('peer', sprintf('fseek(fid, 0, -1); fwrite(fid, d, ''%s'');', cls));
    if s == 1
      v{end+1} = variant('empty', 'bench_empty(h, 0, d);');
      if w == 32
        v{end+1} = variant('empty16', 'bench_empty_long(h, 0, d);');
      end
    end
    g = run_group(cfg, v, 'floor', h, n, d, fid);
    g.size = s;
    g.bytes = n * w / 8;
    g.width = w;
    g.direction = 'write';
    rows{end+1} = g;
  end
end

function rows = info_rows(cfg, h)
  v = {};
  v{end+1} = variant('ovrix_getinfo', '[o1, o2, o3, o4, o5, o6, o7, o8, o9, o10, o11] = ovrix_getinfo(h);');
  v{end+1} = variant('info floor', '[o1, o2, o3, o4, o5, o6, o7, o8, o9, o10, o11] = bench_info(h);');
  v{end+1} = variant('ovrix_getspaceinfo', '[o1, o2, o3, o4, o5] = ovrix_getspaceinfo(h, 1);');
  v{end+1} = variant('space floor', '[o1, o2, o3, o4, o5] = bench_record(h, 1);');
  v{end+1} = variant('ovrix_getbankinfo', '[o1, o2, o3, o4] = ovrix_getbankinfo(h, 1);');
  v{end+1} = variant('bank floor', '[o1, o2, o3, o4] = bench_record(h, 1);');
  g = run_group(cfg, v, 'info floor', h, 1, [], -1);
  g.size = 1;
  g.bytes = 0;
  g.width = 0;
  g.direction = 'info';
  rows = {g};
end

function n = count_of(cfg, s, w)
  if cfg.bytes(s) == 0
    n = 1;
  else
    n = cfg.bytes(s) / (w / 8);
  end
end

function v = variant(name, code)
  v.name = name;
  v.code = code;
end

% ---- measuring -----------------------------------------------------------------

% Runs every variant of a group REPS times, interleaved; t(rep, variant) is
% seconds per call. allocs(variant) is heap allocations per call counted
% around a batch of the same loop (NaN without the counter).
function g = run_group(cfg, v, calibrate_by, h, n, d, fid)
  nv = numel(v);
  names = cellfun(@(x) x.name, v, 'UniformOutput', false);
  for k = 1:nv                             % load, fault in, warm up
    batch(v{k}.code, 2, false, h, n, d, fid);
  end
  base = find(strcmp(names, calibrate_by), 1);
  per_call = batch(v{base}.code, 20, false, h, n, d, fid) / 20;
  K = max(1, min(200000, round(cfg.target / max(per_call, 1e-9))));
  t = zeros(cfg.reps, nv);
  for r = 1:cfg.reps
    for k = circshift(1:nv, [0, r])
      t(r, k) = batch(v{k}.code, K, false, h, n, d, fid) / K;
    end
  end
  allocs = nan(1, nv);
  own = nan(1, nv);
  if cfg.counting
    Ka = max(4, min(K, 1000));
    [~, empty] = batch('', Ka, true, h, n, d, fid);
    for k = 1:nv
      [~, a] = batch(v{k}.code, Ka, true, h, n, d, fid);
      allocs(k) = (a(1) - empty(1)) / Ka;
      own(k) = (a(4) - empty(4)) / Ka;
    end
  end
  g.names = names;
  g.t = t;
  g.K = K;
  g.allocs = allocs;
  g.own = own;
end

% K runs of one statement in a loop; seconds for the whole loop, and, when
% counting, [allocations bytes largest] over the loop.
function [seconds, counted] = batch(code, K, counting, h, n, d, fid)
  counted = [];
  if counting
    eval(sprintf('bench_allocs(''start''); for k = 1:K, %s end; counted = bench_allocs(''stop'');', ...
                 code));
    seconds = NaN;
  else
    eval(sprintf('t0 = tic; for k = 1:K, %s end; seconds = toc(t0);', code));
  end
end

% ---- figures ---------------------------------------------------------------------

function k = col(g, name)
  k = find(strcmp(g.names, name), 1);
end

% Median and interquartile range of a vector.
function [m, lo, hi] = mid(x)
  x = sort(x(:));
  m = median(x);
  lo = quantile(x, 0.25, 1, 7);
  hi = quantile(x, 0.75, 1, 7);
end

% Per-repetition ratio of two variants, taken side by side.
function [m, lo, hi] = ratio(g, a, b)
  [m, lo, hi] = mid(g.t(:, col(g, a)) ./ g.t(:, col(g, b)));
end

function s = fmt_ratio(g, a, b)
  [m, lo, hi] = ratio(g, a, b);
  s = sprintf('%.2f (%.2f–%.2f)', m, lo, hi);
end

function s = fmt_time(g, a)
  [m, lo, hi] = mid(g.t(:, col(g, a)));
  s = sprintf('%s (%s–%s)', human_time(m), human_time(lo), human_time(hi));
end

function s = human_time(t)
  if t < 1e-3
    s = sprintf('%.2f µs', t * 1e6);
  elseif t < 1
    s = sprintf('%.2f ms', t * 1e3);
  else
    s = sprintf('%.2f s', t);
  end
end

% "own / host": allocations per call from ovrix's own code, and the host's
% allocations beyond those of the floor B.
function s = fmt_allocs(g, a, b)
  if any(isnan(g.allocs))
    s = 'n/a';
    return;
  end
  own = g.own(col(g, a));
  host = g.allocs(col(g, a)) - own - g.allocs(col(g, b));
  s = sprintf('%s / %s', tidy(own, '%.2f'), tidy(host, '%+.2f'));
end

function s = tidy(x, f)
  s = sprintf(f, x);
  s = regexprep(s, '\.00$', '');
  s = regexprep(s, '^[+-]0$', '0');
end

function g = find_row(rows, direction, width, size)
  for k = 1:numel(rows)
    r = rows{k};
    if strcmp(r.direction, direction) && r.width == width && r.size == size
      g = r;
      return;
    end
  end
  g = [];
end

% The markdown report: one table of the commands and the references, then
% the goals, each met or missed.
function text = report(res)
  rows = res.rows;
  cfg = res.cfg;
  ns = numel(cfg.sizes);
  out = {};
  out{end+1} = sprintf(['Machine: %s, %d cores; GNU Octave %s; the virtual card. Median of %d ' ...
                        'repetitions, interquartile range in brackets; a ratio below 1 is ' ...
                        'faster than what it is taken against.\n\n'], ...
                       res.cpu, nproc(), OCTAVE_VERSION, cfg.reps);
  hdr = '| command | 1 element: time | ×floor';
  sep = '|---|---|---';
  for s = 2:ns
    hdr = [hdr sprintf(' | %s: ×floor | ×peer', cfg.sizes{s})];
    sep = [sep '|---|---'];
  end
  hdr = [hdr ' | 64 MiB: MB/s | allocations per call: own / host beyond floor |'];
  sep = [sep '|---|---|'];
  out{end+1} = sprintf('%s\n%s\n', hdr, sep);

  goals = {};
  for ways = {'read', 'write'}
    way = ways{1};
    if strcmp(way, 'read')
      small_floor = 'floor';
      floor_word = 'read floor';
      peer_word = 'fread';
    else
      small_floor = 'empty';
      floor_word = 'empty-call floor';
      peer_word = 'fwrite';
    end
    for w = cfg.widths
      for fam = {'', '_dma'}
        name = sprintf('ovrix_%s%d%s', way, w, fam{1});
        g1 = find_row(rows, way, w, 1);
        line = sprintf('| %s | %s | %s', name, fmt_time(g1, name), fmt_ratio(g1, name, small_floor));
        goals{end+1} = goal(sprintf('%s at 1 element ≤ 1.2× the %s', name, floor_word), ...
                            ratio(g1, name, small_floor), 1.2);
        for s = 2:ns
          g = find_row(rows, way, w, s);
          line = [line sprintf(' | %s | %s', fmt_ratio(g, name, 'floor'), fmt_ratio(g, name, 'peer'))];
          if cfg.bytes(s) >= 2^20
            goals{end+1} = goal(sprintf('%s at %s ≤ 1.1× the %s floor', name, cfg.sizes{s}, way), ...
                                ratio(g, name, 'floor'), 1.1);
            goals{end+1} = goal(sprintf('%s at %s at parity with %s or faster', name, ...
                                        cfg.sizes{s}, peer_word), ratio(g, name, 'peer'), 1.0);
          end
        end
        gl = find_row(rows, way, w, ns);
        mbs = gl.bytes / median(gl.t(:, col(gl, name))) / 1e6;
        groups = cellfun(@(s) find_row(rows, way, w, s), num2cell(1:ns), 'UniformOutput', false);
        [cell_text, own] = alloc_summary(groups, name, 'floor');
        out{end+1} = sprintf('%s | %.0f | %s |\n', line, mbs, cell_text);
        goals{end+1} = alloc_goal(name, own);
      end
    end
  end
  gi = find_row(rows, 'info', 0, 1);
  pairs = {'ovrix_getinfo', 'info floor'; 'ovrix_getspaceinfo', 'space floor'; ...
           'ovrix_getbankinfo', 'bank floor'};
  for k = 1:size(pairs, 1)
    name = pairs{k, 1};
    line = sprintf('| %s | %s | %s', name, fmt_time(gi, name), fmt_ratio(gi, name, pairs{k, 2}));
    line = [line repmat(' | – | –', 1, ns - 1)];
    [cell_text, own] = alloc_summary({gi}, name, pairs{k, 2});
    out{end+1} = sprintf('%s | – | %s |\n', line, cell_text);
    goals{end+1} = goal(sprintf('%s ≤ 1.5× its floor plug-in', name), ...
                        ratio(gi, name, pairs{k, 2}), 1.5);
    goals{end+1} = alloc_goal(name, own);
  end

  % The references, by time per call, in the same table.
  refs = {'read', 32, 'floor', 'ref: read floor, int32 (uninitialised 1xN result, one memcpy)'; ...
          'read', 32, 'zeroed', 'ref: the same made with mxCreateNumericArray (zero-filled)'; ...
          'read', 32, 'octave', 'ref: in Octave, x = zeros(1,N,''int32''); x(:) = y'; ...
          'read', 32, 'octave copy', 'ref: in Octave, x = y; x(1) = 0 (one allocation, one copy)'; ...
          'read', 32, 'peer', 'ref: fread(fid, [1 N], ''int32=>int32''), /dev/shm, after fseek'; ...
          'write', 32, 'empty', 'ref: empty plug-in, 3 inputs'; ...
          'write', 32, 'empty16', 'ref: the same with a 16-character name, as ovrix_read32_dma'; ...
          'write', 32, 'floor', 'ref: write floor (one memcpy of the data)'; ...
          'write', 32, 'peer', 'ref: fwrite(fid, y, ''int32''), /dev/shm, after fseek'; ...
          'read', 32, 'loop', 'ref: the for loop alone'};
  for k = 1:size(refs, 1)
    if isempty(find_row(rows, refs{k, 1}, refs{k, 2}, 1))
      continue;
    end
    line = sprintf('| %s', refs{k, 4});
    a = '–';
    mbs = '–';
    for s = 1:ns
      g = find_row(rows, refs{k, 1}, refs{k, 2}, s);
      c = col(g, refs{k, 3});
      if isempty(c)
        line = [line ' | – | –'];
        continue;
      end
      line = [line ' | ' fmt_time(g, refs{k, 3}) ' | –'];
      if s == 1 && ~isnan(g.allocs(c))
        a = sprintf('%.0f by the host', g.allocs(c));
      end
      if s == ns
        mbs = sprintf('%.0f', g.bytes / median(g.t(:, c)) / 1e6);
      end
    end
    out{end+1} = sprintf('%s | %s | %s |\n', line, mbs, a);
  end

  out{end+1} = sprintf([ ...
    '\n×floor: time per call ÷ the floor''s, batch beside batch (reads: the read floor of ' ...
    'the same class; writes: the empty plug-in at 1 element, the write floor beyond; ' ...
    'information: a plug-in making the same outputs). ×peer: ÷ fread or fwrite of the same ' ...
    'bytes on /dev/shm. Allocations: counted by a preloaded malloc shim around a batch of ' ...
    'calls; own: those called from ovrix''s files (commands, gateway, card library, event ' ...
    'layer); host beyond floor: those Octave makes in its own functions beyond what it makes ' ...
    'for the floor: one for each input whose data a command reads through mxGetData (Octave ' ...
    'records every pointer it hands out) and two a call for a command name longer than 15 ' ...
    'characters (Octave copies the name while looking the function up).\n']);
  out{end+1} = sprintf([ ...
    '\nWhere the time beyond a floor goes (measured with callgrind): at 1 element, checks ' ...
    'the floors skip, priced by Octave: mxGetElementSize or mxGetClassID on an input that ' ...
    'is not double compares its class name with each class''s in turn (about 1000 ' ...
    'instructions for the uint32 handle), and mxGetData on an input adds a node to a ' ...
    'std::set; for DMA, the card library''s protocol of every transfer too (card record, mode ' ...
    'word, a completion event made, set and closed: five calls, each under a lock). Beyond ' ...
    '4 KiB, the copy: Octave copies a plug-in''s result once more, element by element, when ' ...
    'the call returns (the read floor pays it too), which is why fread stays ahead of any ' ...
    'plug-in for int8 and why the in-Octave fill beats the read floor on large arrays; at ' ...
    '64 MiB every new array is fresh pages, and the page faults dominate.\n']);

  g32 = find_row(rows, 'read', 32, 1);
  if ~isempty(g32)
    parts = {};
    for s = 1:ns
      g = find_row(rows, 'read', 32, s);
      parts{end+1} = sprintf('%s %s', cfg.sizes{s}, fmt_ratio(g, 'floor', 'octave'));
    end
    out{end+1} = sprintf(['\nRead floor ÷ in-Octave zeros + fill (int32), what the host adds to ' ...
                          'any plug-in''s read: %s.\n'], strjoin(parts, ', '));
  end

  out{end+1} = sprintf('\nGoals:\n\n');
  met = 0;
  for k = 1:numel(goals)
    out{end+1} = sprintf('- %s: %s\n', ifelse(goals{k}.met, 'met', 'MISSED'), goals{k}.text);
    met = met + goals{k}.met;
  end
  out{end+1} = sprintf('\n%d of %d goals met.\n', met, numel(goals));
  text = [out{:}];
end

% The allocation cell of a command over its groups: "own / host" when every
% size gives the same, else each size's; and the most own allocations seen.
function [s, own] = alloc_summary(groups, name, floor_name)
  cells = cellfun(@(g) fmt_allocs(g, name, floor_name), groups, 'UniformOutput', false);
  own = max(cellfun(@(g) g.own(col(g, name)), groups));
  u = unique(cells);
  if numel(u) == 1
    s = u{1};
  else
    s = strjoin(cells, '; ');
  end
end

function g = goal(text, value, limit)
  g.met = value <= limit;
  g.text = sprintf('%s (%.2f)', text, value);
end

function g = alloc_goal(name, own)
  if isnan(own)
    g.met = false;
    g.text = sprintf('%s makes no allocation beyond the result (not counted: run it through scripts/bench)', name);
  else
    g.met = own < 0.01;
    g.text = sprintf('%s makes no allocation of its own beyond the result (%s per call)', name, ...
                     tidy(own, '%.2f'));
  end
end

function r = ifelse(c, a, b)
  if c
    r = a;
  else
    r = b;
  end
end

% ---- plot -----------------------------------------------------------------------

function plot_throughput(res, png)
  rows = res.rows;
  cfg = res.cfg;
  tk = available_graphics_toolkits();
  if any(strcmp(tk, 'gnuplot'))
    warning('off', 'Octave:gnuplot-graphics');
    warning('off', 'print:nogs');   % pngcairo needs no Ghostscript
    graphics_toolkit('gnuplot');
  elseif ~isempty(tk)
    graphics_toolkit(tk{1});
  else
    printf('no graphics toolkit: no plot written\n');
    return;
  end
  f = figure('visible', 'off', 'position', [0 0 1200 520]);
  % {variant, width, label, style} for each line of each panel.
  panels = {'read', {'ovrix_read32', 32, 'ovrix_read32', '-o'; ...
                     'ovrix_read32_dma', 32, 'ovrix_read32_dma', '-s'; ...
                     'floor', 32, 'read floor, int32', '--k'; ...
                     'octave', 32, 'in Octave: zeros + fill, int32', ':x'; ...
                     'peer', 32, 'fread, int32', '-.^'; ...
                     'ovrix_read8', 8, 'ovrix_read8', '-d'; ...
                     'floor', 8, 'read floor, int8', ':k'; ...
                     'peer', 8, 'fread, int8', ':v'}; ...
            'write', {'ovrix_write32', 32, 'ovrix_write32', '-o'; ...
                      'ovrix_write32_dma', 32, 'ovrix_write32_dma', '-s'; ...
                      'floor', 32, 'write floor, int32', '--k'; ...
                      'peer', 32, 'fwrite, int32', '-.^'; ...
                      'ovrix_write8', 8, 'ovrix_write8', '-d'; ...
                      'peer', 8, 'fwrite, int8', ':v'}};
  for p = 1:2
    subplot(1, 2, p);
    series = panels{p, 2};
    lines = [];
    labels = {};
    for k = 1:size(series, 1)
      x = nan(1, numel(cfg.sizes));
      y = x;
      for s = 1:numel(cfg.sizes)
        g = find_row(rows, panels{p, 1}, series{k, 2}, s);
        if isempty(g) || isempty(col(g, series{k, 1}))
          continue;
        end
        x(s) = g.bytes;
        y(s) = g.bytes / median(g.t(:, col(g, series{k, 1}))) / 1e6;
      end
      if all(isnan(y))
        continue;
      end
      lines(end+1) = loglog(x, y, series{k, 4}, 'linewidth', 1.5, 'markersize', 6);
      labels{end+1} = series{k, 3};
      hold on;
    end
    hold off;
    grid on;
    xlabel('bytes per call');
    ylabel('MB/s, median');
    title(sprintf('%ss, %s', panels{p, 1}, res.cpu), 'interpreter', 'none');
    legend(lines, labels, 'location', 'southeast', 'interpreter', 'none');
    set(gca, 'xtick', [1 4 4096 2^20 2^26], 'xticklabel', {'1', '4', '4 KiB', '1 MiB', '64 MiB'});
  end
  print(f, png, '-dpngcairo', '-r90');
  close(f);
end

% ---- the machine -----------------------------------------------------------------

function s = cpu_model()
  s = 'unknown CPU';
  txt = fileread('/proc/cpuinfo');
  m = regexp(txt, 'model name\s*:\s*([^\n]*)', 'tokens', 'once');
  if ~isempty(m)
    s = strtrim(m{1});
  end
end

function drop_peer(fid, name)
  fclose(fid);
  unlink(name);
end

function msg = errmsg(f)
  % The message of the error that calling f raises; '' when it raises none.
  msg = '';
  try
    f();
  catch err
    msg = err.message;
  end
end

{ The peer side of the interop tests: Free Pascal's own form converters behind a command line.

    fpcconv tobin IN OUT     text form to binary object stream
    fpcconv totext IN OUT    binary object stream to text form

  Exit status 0 on success, 1 when the conversion failed (message on standard error, OUT
  removed), 2 for a usage error. }
program fpcconv;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes;

var
  Mode, InName, OutName: string;
  Input, Output: TStream;
begin
  Mode := ParamStr(1);
  if (ParamCount <> 3) or ((Mode <> 'tobin') and (Mode <> 'totext')) then
  begin
    WriteLn(StdErr, 'usage: fpcconv tobin|totext IN OUT');
    Halt(2);
  end;
  InName := ParamStr(2);
  OutName := ParamStr(3);
  try
    // The whole file in memory both ways, as the converters are meant to be run: a file
    // stream would make every small read a system call.
    Input := TMemoryStream.Create;
    try
      TMemoryStream(Input).LoadFromFile(InName);
      Output := TMemoryStream.Create;
      try
        if Mode = 'tobin' then
          ObjectTextToBinary(Input, Output)
        else
          ObjectBinaryToText(Input, Output);
        TMemoryStream(Output).SaveToFile(OutName);
      finally
        Output.Free;
      end;
    finally
      Input.Free;
    end;
  except
    on E: Exception do
    begin
      // A half-written output must not pass for a result.
      DeleteFile(OutName);
      WriteLn(StdErr, InName, ': ', E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.

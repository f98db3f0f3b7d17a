object CustomerData: TCustomerData
  OldCreateOrder = False
  OnCreate = DataModuleCreate
  OnDestroy = DataModuleDestroy
  Height = 300
  Width = 420
  object Connection: TDatabaseConnection
    ConnectionString =
      'Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security In' +
      'fo=False;Initial Catalog=Orders;Data Source=db-server\PRODUCTION'
    LoginPrompt = False
    Left = 40
    Top = 24
  end
  object CustomerQuery: TQuery
    Connection = Connection
    CursorType = ctStatic
    Parameters = <
      item
        Name = 'Country'
        DataType = ftWideString
        Size = 40
        Value = 'Deutschland'
      end
      item
        Name = 'MinRevenue'
        DataType = ftBCD
        Precision = 19
        NumericScale = 4
        Value = 10000
      end>
    SQL.Strings = (
      'SELECT c.CustomerID, c.CompanyName, c.ContactName, c.City, SUM(o.Tot' +
        'al) AS Revenue'
      'FROM Customers c'
      'LEFT JOIN Orders o ON o.CustomerID = c.CustomerID'
      'WHERE c.Country = :Country'
      'GROUP BY c.CustomerID, c.CompanyName, c.ContactName, c.City'
      'HAVING SUM(o.Total) >= :MinRevenue'
      'ORDER BY Revenue DESC')
    Left = 136
    Top = 24
    object CustomerQueryCustomerID: TWideStringField
      FieldName = 'CustomerID'
      FixedChar = True
      Size = 5
    end
    object CustomerQueryCompanyName: TWideStringField
      DisplayLabel = 'Company'
      DisplayWidth = 30
      FieldName = 'CompanyName'
      Required = True
      Size = 40
    end
    object CustomerQueryRevenue: TBCDField
      DisplayFormat = '#,##0.00 '#8364
      FieldName = 'Revenue'
      ReadOnly = True
      Precision = 19
    end
  end
  object CustomerSource: TDataSource
    DataSet = CustomerQuery
    OnDataChange = CustomerSourceDataChange
    Left = 232
    Top = 24
  end
  object ExportDialog: TSaveDialog
    DefaultExt = 'csv'
    Filter = 'Comma separated (*.csv)|*.csv|All files (*.*)|*.*'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing]
    Title = 'Export customers'
    Left = 40
    Top = 96
  end
end
